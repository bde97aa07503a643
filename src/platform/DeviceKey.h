#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The four machine identifiers the device key is made of, each already in its text form.
struct DeviceKeySources
{
    std::string cpuPart;  // processor signature: EDX then EAX of CPUID leaf 1, signed decimals
    std::string diskPart; // CRC-32 of the first disk's identity block, signed decimal; "0" if none
    std::string volumePart;  // id of the root file system, signed decimal; "0" if unknown
    std::string adapterPart; // first network adapter's address "AA-BB-CC-DD-EE-FF"; empty if none
};

// Reads the four sources from this machine.
DeviceKeySources collectDeviceKeySources();

// The key: the MD5 of the four parts concatenated, as 32 upper-case hexadecimal
// digits, of which the 8th to the 23rd (16 characters) are kept.
std::string deviceKeyFrom(const DeviceKeySources &sources);

// deviceKeyFrom(collectDeviceKeySources()).
std::string computeDeviceKey();

// The parts that read the system, split so that a test can point them at a made-up
// tree. `sysBlock` stands for /sys/block and `sysClassNet` for /sys/class/net.
std::string cpuPart();
std::string diskPartFrom(const std::string &sysBlock);
std::string volumePartOf(const std::string &path);
std::string adapterPartFrom(const std::string &sysClassNet);

// The disk identity block: 1024 zero bytes with the model at offset 0 and the serial
// number at offset 512, each cut to 511 bytes; the part is its CRC-32 as a signed
// decimal, or "0" when both texts are empty.
std::string diskPartOf(std::string_view model, std::string_view serial);

} // namespace cloud
