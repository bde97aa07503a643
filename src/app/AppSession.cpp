#include "app/AppSession.h"

namespace cloud {

AppSession &AppSession::instance()
{
    static AppSession session;
    return session;
}

std::string AppSession::get(const std::string &field) const
{
    std::lock_guard lock(m_mutex);
    return field;
}

void AppSession::set(std::string &field, std::string value)
{
    // The old value is released outside the lock; readers never wait on a free.
    {
        std::lock_guard lock(m_mutex);
        field.swap(value);
    }
}

void AppSession::clear()
{
    for (std::string *field :
         {&m_apiHost, &m_baseUrl, &m_clientInfoUrl, &m_localVersion, &m_serverVersion, &m_logoImage,
          &m_vxImage, &m_vx2Image, &m_titleText, &m_helpText, &m_accountIniPath, &m_deviceKey,
          &m_accountName, &m_accountPassword})
        set(*field, std::string());
    m_signedInFlag.store(false);
    m_sessionStopped.store(false);
}

} // namespace cloud
