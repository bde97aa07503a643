#include "platform/DeviceKey.h"

#include "data/TextUtil.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <openssl/evp.h>
#include <sys/statvfs.h>
#include <vector>
#include <zlib.h>

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace cloud {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kDiskBlockSize = 1024;
constexpr std::size_t kDiskSerialOffset = 512;

std::string signedDecimal(std::uint32_t value)
{
    return std::to_string(static_cast<std::int32_t>(value));
}

// The whole of a small sysfs file, trimmed; empty when it cannot be read.
std::string readSysText(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text;
    std::array<char, 512> buffer{};
    in.read(buffer.data(), buffer.size());
    text.assign(buffer.data(), static_cast<std::size_t>(in.gcount()));
    return trimmed(text);
}

// Block devices that are not disks of their own: loop files, RAM disks,
// device-mapper and RAID volumes, optical drives.
bool isVirtualBlockDevice(const fs::path &entry)
{
    static constexpr std::string_view prefixes[] = {"loop", "ram", "zram", "dm-", "sr", "md"};
    const std::string name = entry.filename().string();
    for (std::string_view prefix : prefixes) {
        if (name.starts_with(prefix))
            return true;
    }
    std::error_code error;
    const fs::path target = fs::canonical(entry, error);
    return !error && target.string().find("/virtual/") != std::string::npos;
}

std::string firstReadable(const fs::path &dir, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        std::string text = readSysText(dir / name);
        if (!text.empty())
            return text;
    }
    return {};
}

std::vector<fs::path> sortedEntries(const std::string &dir)
{
    std::vector<fs::path> entries;
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error))
        entries.push_back(it->path());
    std::sort(entries.begin(), entries.end());
    return entries;
}

struct Adapter
{
    long index;
    bool physical;
    std::string address;
};

// "aa:bb:cc:dd:ee:ff" as "AA-BB-CC-DD-EE-FF"; empty unless it is six bytes, not all zero.
std::string adapterAddress(const std::string &text)
{
    unsigned b[6];
    char tail;
    if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &b[0], &b[1], &b[2], &b[3], &b[4],
                    &b[5], &tail) != 6)
        return {};
    if (std::all_of(std::begin(b), std::end(b), [](unsigned v) { return v == 0; }))
        return {};
    char out[18];
    std::snprintf(out, sizeof out, "%02X-%02X-%02X-%02X-%02X-%02X", b[0], b[1], b[2], b[3], b[4],
                  b[5]);
    return out;
}

std::string md5HexUpper(std::string_view data)
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(data.data(), data.size(), digest, &length, EVP_md5(), nullptr) != 1)
        return std::string(32, '0');
    std::string hex;
    for (unsigned int i = 0; i < length; ++i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", digest[i]);
        hex += pair;
    }
    return hex;
}

} // namespace

std::string cpuPart()
{
#if defined(__x86_64__) || defined(__i386__)
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return signedDecimal(edx) + signedDecimal(eax);
#endif
    return "00";
}

std::string diskPartOf(std::string_view model, std::string_view serial)
{
    if (model.empty() && serial.empty())
        return "0";
    std::array<unsigned char, kDiskBlockSize> block{};
    const std::size_t room = kDiskSerialOffset - 1;
    std::copy_n(model.begin(), std::min(model.size(), room), block.begin());
    std::copy_n(serial.begin(), std::min(serial.size(), room), block.begin() + kDiskSerialOffset);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), block.data(), block.size());
    return signedDecimal(static_cast<std::uint32_t>(crc));
}

std::string diskPartFrom(const std::string &sysBlock)
{
    for (const fs::path &entry : sortedEntries(sysBlock)) {
        if (isVirtualBlockDevice(entry))
            continue;
        // SATA/SCSI disks keep model and serial on the device; NVMe on its controller;
        // virtio disks have only a serial next to the block device.
        const std::string model = firstReadable(entry, {"device/model", "model"});
        const std::string serial = firstReadable(
            entry, {"device/serial", "serial", "device/wwid", "wwid", "device/vpd_pg80"});
        return diskPartOf(model, serial);
    }
    return "0";
}

std::string volumePartOf(const std::string &path)
{
    struct statvfs info
    {
    };
    if (statvfs(path.c_str(), &info) != 0)
        return "0";
    return signedDecimal(static_cast<std::uint32_t>(info.f_fsid));
}

std::string adapterPartFrom(const std::string &sysClassNet)
{
    std::vector<Adapter> adapters;
    for (const fs::path &entry : sortedEntries(sysClassNet)) {
        if (entry.filename() == "lo")
            continue;
        std::string address = adapterAddress(readSysText(entry / "address"));
        if (address.empty())
            continue;
        std::error_code error;
        const bool physical = fs::exists(entry / "device", error);
        adapters.push_back({static_cast<long>(integerValue(readSysText(entry / "ifindex"))),
                            physical, std::move(address)});
    }
    // Adapters of real hardware first: bridges and container interfaces come and go,
    // and the key must stay the same on one machine.
    const auto first =
        std::min_element(adapters.begin(), adapters.end(), [](const Adapter &a, const Adapter &b) {
            return a.physical != b.physical ? a.physical : a.index < b.index;
        });
    return first == adapters.end() ? std::string() : first->address;
}

DeviceKeySources collectDeviceKeySources()
{
    return {cpuPart(), diskPartFrom("/sys/block"), volumePartOf("/"),
            adapterPartFrom("/sys/class/net")};
}

std::string deviceKeyFrom(const DeviceKeySources &sources)
{
    const std::string joined =
        sources.cpuPart + sources.diskPart + sources.volumePart + sources.adapterPart;
    return md5HexUpper(joined).substr(7, 16);
}

std::string computeDeviceKey()
{
    return deviceKeyFrom(collectDeviceKeySources());
}

} // namespace cloud
