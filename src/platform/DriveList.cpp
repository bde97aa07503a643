#include "platform/DriveList.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace cloud {

namespace fs = std::filesystem;

namespace {

struct MountLine
{
    std::string device;
    std::string mountPoint;
    std::string fileSystem;
};

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool isOctal(char c)
{
    return c >= '0' && c <= '7';
}

// The mount table writes blanks, tabs, line breaks and backslashes in names as
// three-digit octal escapes ("\040" for a blank).
std::string unescapeOctal(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && isOctal(text[i + 1]) &&
            isOctal(text[i + 2]) && isOctal(text[i + 3])) {
            const int value =
                (text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0');
            out += static_cast<char>(value & 0xFF);
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Label link names escape unsafe bytes as "\xHH" ("\x20" for a blank).
std::string unescapeHex(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
            hexValue(text[i + 2]) >= 0 && hexValue(text[i + 3]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 2]) * 16 + hexValue(text[i + 3]));
            i += 3;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<MountLine> parseMountLine(const std::string &line)
{
    std::istringstream fields(line);
    MountLine mount;
    if (!(fields >> mount.device >> mount.mountPoint >> mount.fileSystem))
        return std::nullopt;
    mount.device = unescapeOctal(mount.device);
    mount.mountPoint = unescapeOctal(mount.mountPoint);
    return mount;
}

// The kernel's name of a device node: /dev/mapper links lead to dm-N, by-uuid
// links to the partition.
std::string kernelName(const std::string &device)
{
    std::error_code error;
    const fs::path resolved = fs::canonical(device, error);
    return (error ? fs::path(device) : resolved).filename().string();
}

bool isMemoryOrImage(const std::string &name)
{
    return name.starts_with("loop") || name.starts_with("ram") || name.starts_with("zram");
}

// The whole disk a block device belongs to: the device itself when it is a disk,
// the disk that lists it when it is a partition; empty when it is no block device.
std::string diskOf(const fs::path &sysBlock, const std::string &name)
{
    std::error_code error;
    if (name.empty() || name == "." || name == "..")
        return {};
    if (fs::is_directory(sysBlock / name, error))
        return name;
    for (const fs::directory_entry &disk : fs::directory_iterator(sysBlock, error)) {
        if (fs::is_directory(disk.path() / name, error))
            return disk.path().filename().string();
    }
    return {};
}

bool isRemovable(const fs::path &sysBlock, const std::string &disk)
{
    std::ifstream in(sysBlock / disk / "removable");
    std::string value;
    std::getline(in, value);
    return trimmed(value) == "1";
}

std::map<std::string, std::string> labelsByDevice(const std::string &byLabelDir)
{
    std::map<std::string, std::string> labels;
    std::error_code error;
    for (const fs::directory_entry &link : fs::directory_iterator(byLabelDir, error)) {
        const fs::path target = fs::read_symlink(link.path(), error);
        if (error)
            continue;
        labels[target.filename().string()] = unescapeHex(link.path().filename().string());
    }
    return labels;
}

// Names that cannot be kept in the stored selection (";" separates it, the file is
// GBK) or handed to the client (",", which separates a share's name from its path).
bool storableName(const std::string &name)
{
    return name.find_first_of(";,") == std::string::npos && fitsGbk(name);
}

} // namespace

std::vector<DriveEntry> DriveList::fromSources(const DriveSources &sources)
{
    const fs::path sysBlock = fs::path(sources.sysRoot) / "block";
    const std::map<std::string, std::string> labels = labelsByDevice(sources.byLabelDir);
    std::map<std::string, DriveEntry> byMountPoint; // a later mount hides an earlier one
    std::istringstream lines(sources.mounts);
    std::string line;
    while (std::getline(lines, line)) {
        const std::optional<MountLine> mount = parseMountLine(line);
        if (!mount || !mount->device.starts_with("/dev/"))
            continue;
        const std::string name = kernelName(mount->device);
        const std::string disk = isMemoryOrImage(name) ? std::string() : diskOf(sysBlock, name);
        if (disk.empty() || isRemovable(sysBlock, disk) || !storableName(mount->mountPoint))
            continue;
        const auto label = labels.find(name);
        byMountPoint[mount->mountPoint] = {mount->mountPoint,
                                           label == labels.end() ? std::string() : label->second,
                                           mount->fileSystem};
    }
    std::vector<DriveEntry> drives;
    for (auto &[mountPoint, entry] : byMountPoint) {
        std::error_code error;
        const bool directory = sources.isDirectory ? sources.isDirectory(mountPoint)
                                                   : fs::is_directory(mountPoint, error);
        if (directory)
            drives.push_back(std::move(entry));
    }
    return drives;
}

std::vector<DriveEntry> DriveList::localFixedDrives()
{
    std::ifstream in("/proc/self/mounts");
    DriveSources sources;
    sources.mounts.assign(std::istreambuf_iterator<char>(in), {});
    return fromSources(sources);
}

std::vector<std::string> DriveList::storedNames(std::string_view stored)
{
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start < stored.size()) {
        const std::size_t end = std::min(stored.find(';', start), stored.size());
        if (end > start)
            names.emplace_back(stored.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

std::vector<bool> DriveList::checkedRows(const std::vector<DriveEntry> &drives,
                                         std::string_view stored)
{
    const std::vector<std::string> names = storedNames(stored);
    std::vector<bool> checked;
    for (const DriveEntry &drive : drives)
        checked.push_back(std::find(names.begin(), names.end(), drive.name) != names.end());
    return checked;
}

std::string DriveList::selectionText(const std::vector<DriveEntry> &drives,
                                     const std::vector<bool> &checked)
{
    std::string text;
    for (std::size_t i = 0; i < drives.size() && i < checked.size(); ++i) {
        if (checked[i])
            text += drives[i].name + ";";
    }
    return text;
}

} // namespace cloud
