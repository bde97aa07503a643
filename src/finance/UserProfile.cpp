#include "finance/UserProfile.h"

namespace cloud {

UserProfile &UserProfile::instance()
{
    static UserProfile profile;
    return profile;
}

std::string UserProfile::get(const std::string &field) const
{
    std::lock_guard lock(m_mutex);
    return field;
}

void UserProfile::set(std::string &field, std::string value)
{
    std::lock_guard lock(m_mutex);
    field.swap(value);
}

void UserProfile::setUnlessEmpty(std::string &field, std::string value)
{
    if (!value.empty())
        field.swap(value);
}

void UserProfile::applyProfile(std::string balance, std::string mobile, std::string qq,
                               std::string email)
{
    std::lock_guard lock(m_mutex);
    m_balanceText.swap(balance);
    setUnlessEmpty(m_mobile, std::move(mobile));
    setUnlessEmpty(m_qq, std::move(qq));
    setUnlessEmpty(m_email, std::move(email));
}

void UserProfile::clear()
{
    std::lock_guard lock(m_mutex);
    for (std::string *field :
         {&m_userName, &m_realNameText, &m_balanceText, &m_mobile, &m_qq, &m_email})
        field->clear();
}

} // namespace cloud
