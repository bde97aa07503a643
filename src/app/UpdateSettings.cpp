#include "app/UpdateSettings.h"

#include "app/IniFile.h"

namespace cloud {

namespace {

constexpr std::string_view kSection = "更新";
constexpr std::string_view kApiAddress = "API地址";

} // namespace

bool UpdateSettings::saveApiAddress(std::string_view clientInfoUrl) const
{
    return writeIni(m_path, kSection, kApiAddress, clientInfoUrl);
}

std::string UpdateSettings::apiAddress() const
{
    return readIni(m_path, kSection, kApiAddress);
}

} // namespace cloud
