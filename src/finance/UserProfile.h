#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// The signed-in account's profile, for the whole process: the refresh loop writes it on its
// worker, the windows read it on the GUI thread. Texts are replaced whole.
class UserProfile
{
public:
    // The real-name text of an account that has not passed the verification. A verified
    // account carries its legal name there instead; empty text (nothing loaded yet) counts
    // as verified.
    static constexpr std::string_view unverified = "未实名";

    static UserProfile &instance();

    std::string userName() const { return get(m_userName); }
    void setUserName(std::string value) { set(m_userName, std::move(value)); }
    std::string realNameText() const { return get(m_realNameText); }
    void setRealNameText(std::string value) { set(m_realNameText, std::move(value)); }
    std::string balanceText() const { return get(m_balanceText); }
    std::string mobile() const { return get(m_mobile); }
    std::string qq() const { return get(m_qq); }
    std::string email() const { return get(m_email); }

    bool isUnverified() const { return realNameText() == unverified; }

    // The values of one profile reply. Contact fields that came empty keep the old value.
    void applyProfile(std::string balance, std::string mobile, std::string qq, std::string email);

    // Back to the state before the first load.
    void clear();

private:
    std::string get(const std::string &field) const;
    void set(std::string &field, std::string value);
    void setUnlessEmpty(std::string &field, std::string value);

    mutable std::mutex m_mutex;
    std::string m_userName;
    std::string m_realNameText;
    std::string m_balanceText;
    std::string m_mobile;
    std::string m_qq;
    std::string m_email;
};

} // namespace cloud
