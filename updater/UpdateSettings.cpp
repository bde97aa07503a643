#include "UpdateSettings.h"

#include "app/IniFile.h"

namespace updater {

std::string readUpdateAddress(const std::string &iniPath)
{
    return cloud::readIni(iniPath, "更新", "API地址");
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
