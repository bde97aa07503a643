#include "SessionStore.h"

#include "RandomText.h"

#include <algorithm>
#include <utility>

namespace refservice {

namespace {

bool isSessionId(const std::string &text)
{
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

std::string trimmedSpaces(const std::string &text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

SessionStore::SessionStore(std::chrono::seconds idleLimit, std::size_t capacity, Clock clock)
    : m_idleLimit(idleLimit), m_capacity(std::max<std::size_t>(capacity, 1)),
      m_clock(std::move(clock))
{}

std::chrono::steady_clock::time_point SessionStore::now() const
{
    return m_clock ? m_clock() : std::chrono::steady_clock::now();
}

bool SessionStore::expired(const Entry &entry) const
{
    return now() - entry.lastSeen > m_idleLimit;
}

void SessionStore::makeRoom()
{
    std::erase_if(m_sessions, [this](const auto &item) { return expired(item.second); });
    if (m_sessions.size() < m_capacity)
        return;
    const auto oldest =
        std::min_element(m_sessions.begin(), m_sessions.end(), [](const auto &a, const auto &b) {
            return a.second.lastSeen < b.second.lastSeen;
        });
    m_sessions.erase(oldest);
}

SessionData SessionStore::create()
{
    std::lock_guard lock(m_mutex);
    return createLocked(0);
}

SessionData SessionStore::reissue(const std::string &oldId, std::int64_t accountId)
{
    std::lock_guard lock(m_mutex);
    m_sessions.erase(oldId);
    return createLocked(accountId);
}

SessionData SessionStore::createLocked(std::int64_t accountId)
{
    if (m_sessions.size() >= m_capacity)
        makeRoom();
    std::string id;
    do
        id = RandomText::hex(32);
    while (m_sessions.count(id) != 0);
    Entry entry{SessionData{id, accountId, {}}, now()};
    m_sessions.emplace(id, entry);
    return entry.data;
}

std::optional<SessionData> SessionStore::touch(const std::string &id)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_sessions.find(id);
    if (it == m_sessions.end())
        return std::nullopt;
    if (expired(it->second)) {
        m_sessions.erase(it);
        return std::nullopt;
    }
    it->second.lastSeen = now();
    return it->second.data;
}

bool SessionStore::signIn(const std::string &id, std::int64_t accountId)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_sessions.find(id);
    if (it == m_sessions.end())
        return false;
    it->second.data.accountId = accountId;
    return true;
}

void SessionStore::signOut(const std::string &id)
{
    std::lock_guard lock(m_mutex);
    if (const auto it = m_sessions.find(id); it != m_sessions.end())
        it->second.data.accountId = 0;
}

void SessionStore::setCaptcha(const std::string &id, const std::string &text)
{
    std::lock_guard lock(m_mutex);
    if (const auto it = m_sessions.find(id); it != m_sessions.end())
        it->second.data.captcha = text;
}

std::string SessionStore::takeCaptcha(const std::string &id)
{
    std::lock_guard lock(m_mutex);
    const auto it = m_sessions.find(id);
    if (it == m_sessions.end())
        return {};
    return std::exchange(it->second.data.captcha, std::string());
}

std::size_t SessionStore::size()
{
    std::lock_guard lock(m_mutex);
    return m_sessions.size();
}

std::string SessionStore::idFromCookieHeader(const std::string &header)
{
    std::size_t start = 0;
    while (start <= header.size()) {
        std::size_t end = header.find(';', start);
        if (end == std::string::npos)
            end = header.size();
        const std::string pair = header.substr(start, end - start);
        const std::size_t eq = pair.find('=');
        if (eq != std::string::npos && trimmedSpaces(pair.substr(0, eq)) == cookieName) {
            const std::string value = trimmedSpaces(pair.substr(eq + 1));
            if (isSessionId(value))
                return value;
        }
        start = end + 1;
    }
    return {};
}

std::string SessionStore::setCookieValue(const std::string &id)
{
    return std::string(cookieName) + "=" + id + "; path=/; HttpOnly";
}

} // namespace refservice
