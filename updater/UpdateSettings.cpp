#include "UpdateSettings.h"

#include "data/Gbk.h"
#include "data/TextUtil.h"

#include <fstream>
#include <sstream>

namespace updater {

namespace {

constexpr std::size_t kMaxSettingsSize = 1 << 20;

std::string fileText(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::string bytes(kMaxSettingsSize, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return cloud::gbkToUtf8(bytes);
}

} // namespace

std::string readUpdateAddress(const std::string &iniPath)
{
    std::istringstream lines(fileText(iniPath));
    std::string line;
    bool inSection = false;
    while (std::getline(lines, line)) {
        const std::string entry = cloud::trimmed(line);
        if (entry.starts_with("[")) {
            inSection = entry == "[更新]";
            continue;
        }
        const std::size_t eq = entry.find('=');
        if (inSection && eq != std::string::npos &&
            cloud::trimmed(entry.substr(0, eq)) == "API地址")
            return cloud::trimmed(entry.substr(eq + 1));
    }
    return {};
}

std::string siteAddressOf(const std::string &updateAddress)
{
    std::size_t start = 0;
    if (updateAddress.starts_with("http://"))
        start = 7;
    else if (updateAddress.starts_with("https://"))
        start = 8;
    else
        return {};
    const std::size_t end = updateAddress.find_first_of("/?#", start);
    const std::string authority = updateAddress.substr(start, end - start);
    if (authority.empty() || authority.find('@') != std::string::npos)
        return {};
    return updateAddress.substr(0, start) + authority + "/";
}

} // namespace updater
