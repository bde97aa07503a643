#include "app/AccountSettings.h"

#include "app/IniFile.h"
#include "data/TextUtil.h"

namespace cloud {

namespace {

constexpr std::string_view kSection = "Config";
constexpr std::string_view kRemember = "Rememberaccount";
constexpr std::string_view kAccount = "zh";
constexpr std::string_view kPassword = "mm";
constexpr std::string_view kAutoSignIn = "zdlogin";

} // namespace

AccountSettings::Remembered AccountSettings::restore() const
{
    Remembered result;
    result.remember = flagIsSet(readIni(m_path, kSection, kRemember));
    if (!result.remember)
        return result;
    result.accountName = readIni(m_path, kSection, kAccount);
    result.password = readIni(m_path, kSection, kPassword);
    result.autoSignIn = flagIsSet(readIni(m_path, kSection, kAutoSignIn));
    return result;
}

bool AccountSettings::saveRemember(bool remember, std::string_view accountName,
                                   std::string_view password) const
{
    // All three writes are attempted, in the order the file has always been written.
    bool ok = save(kRemember, remember ? "1" : "0");
    ok = save(kAccount, remember ? accountName : std::string_view()) && ok;
    return save(kPassword, remember ? password : std::string_view()) && ok;
}

bool AccountSettings::saveAutoSignIn(bool autoSignIn) const
{
    return save(kAutoSignIn, autoSignIn ? "1" : "0");
}

bool AccountSettings::save(std::string_view key, std::string_view value) const
{
    return writeIni(m_path, kSection, key, value, IniAccess::OwnerOnly);
}

} // namespace cloud
