#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The remembered account: section `Config` of the account settings file, which
// holds the password in clear text and is therefore kept readable by its owner only.
class AccountSettings
{
public:
    struct Remembered
    {
        bool remember = false;
        std::string accountName;
        std::string password;
        bool autoSignIn = false;
    };

    explicit AccountSettings(std::string path) : m_path(std::move(path)) {}

    // What the sign-in form starts with: the account, the password and the automatic
    // sign-in choice are only looked at when remembering is on.
    Remembered restore() const;

    // Remembering on stores the account and the password as typed; off clears both.
    // The automatic sign-in choice is left as it is.
    bool saveRemember(bool remember, std::string_view accountName, std::string_view password) const;
    bool saveAutoSignIn(bool autoSignIn) const;

    const std::string &path() const { return m_path; }

private:
    bool save(std::string_view key, std::string_view value) const;

    std::string m_path;
};

} // namespace cloud
