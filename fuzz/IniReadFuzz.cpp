#include "app/IniDocument.h"
#include "app/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const std::string &scratchFile()
{
    static const std::string path = [] {
        char name[] = "/tmp/inireadfuzz-XXXXXX";
        const int fd = ::mkstemp(name);
        if (fd < 0)
            std::abort();
        ::close(fd);
        return std::string(name);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const std::string &file = scratchFile();
    if (std::FILE *f = std::fopen(file.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
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
