#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace refservice {

// What the service remembers about one browser or client between requests.
struct SessionData
{
    std::string id;             // 32 lower-case hex digits, the cookie value
    std::int64_t accountId = 0; // 0 while signed out
    std::string captcha;        // text of the last captcha picture served, until used
};

// The sessions behind the session cookie. A session ends after `idleLimit` without a request;
// when `capacity` sessions exist, the longest idle one gives way to a new one, so clients that
// never return their cookie cannot grow the store without bound. Thread-safe.
class SessionStore
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr const char *cookieName = "sid";

    explicit SessionStore(std::chrono::seconds idleLimit = std::chrono::minutes(20),
                          std::size_t capacity = 10000, Clock clock = {});

    SessionData create();
    // The session with `id`, refreshed; nullopt when it is unknown or has ended.
    std::optional<SessionData> touch(const std::string &id);
    bool signIn(const std::string &id, std::int64_t accountId);
    // A new session signed in to `accountId`, replacing the session `oldId`, so that an id
    // known before the sign-in (set by someone else, say) is worth nothing after it.
    SessionData reissue(const std::string &oldId, std::int64_t accountId);
    void signOut(const std::string &id);
    void setCaptcha(const std::string &id, const std::string &text);
    // The captcha text, cleared so that one picture answers one attempt only.
    std::string takeCaptcha(const std::string &id);
    std::size_t size();

    // The value of our cookie in a Cookie request header; empty when absent or malformed.
    static std::string idFromCookieHeader(const std::string &header);
    static std::string setCookieValue(const std::string &id);

private:
    struct Entry
    {
        SessionData data;
        std::chrono::steady_clock::time_point lastSeen;
    };

    std::chrono::steady_clock::time_point now() const;
    bool expired(const Entry &entry) const;
    void makeRoom();
    SessionData createLocked(std::int64_t accountId);

    std::chrono::seconds m_idleLimit;
    std::size_t m_capacity;
    Clock m_clock;
    std::mutex m_mutex;
    std::unordered_map<std::string, Entry> m_sessions;
};

} // namespace refservice
