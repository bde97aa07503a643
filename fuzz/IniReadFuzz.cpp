#include "app/IniDocument.h"
#include "app/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// An unlinked scratch file, reached through /proc so that no run leaves a file behind.
int scratchFd()
{
    static const int fd = [] {
        char name[] = "/tmp/inireadfuzz-XXXXXX";
        const int created = ::mkstemp(name);
        if (created < 0)
            std::abort();
        ::unlink(name);
        return created;
    }();
    return fd;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const int fd = scratchFd();
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, bytes.data(), bytes.size(), 0) < 0)
        std::abort();
    const std::string file = "/proc/self/fd/" + std::to_string(fd);
    for (const char *key : {"Rememberaccount", "zh", "mm", "zdlogin"})
        (void)cloud::readIni(file, "Config", key);
    (void)cloud::readIni(file, "更新", "API地址");

    // Setting a key in memory must read back, and must leave another key alone.
    cloud::IniDocument document(bytes);
    const auto other = document.value("Config", "mm");
    document.setValue("Config", "zh", "v1");
    if (document.value("Config", "zh") != std::optional<std::string>("v1"))
        __builtin_trap();
    if (document.value("Config", "mm") != other)
        __builtin_trap();
    return 0;
}
