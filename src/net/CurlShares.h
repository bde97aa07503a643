#pragma once

#include <curl/curl.h>

#include <array>
#include <mutex>

namespace cloud {

// The process-wide libcurl state: the one-time global initialization and the share
// handles that outlive single calls. The cookie store lives in cookieStore(); calls that
// must not touch it use dnsOnly(). Each kind of shared data has its own lock, so the
// store never serializes whole exchanges.
class CurlShares
{
public:
    static CurlShares &instance();

    CURLSH *cookieStore() const { return m_cookieStore; }
    CURLSH *dnsOnly() const { return m_dnsOnly; }

    CurlShares(const CurlShares &) = delete;
    CurlShares &operator=(const CurlShares &) = delete;

    // One mutex per kind of shared data (cookies, DNS cache, the share itself).
    using Locks = std::array<std::mutex, CURL_LOCK_DATA_LAST>;

private:
    CurlShares();
    ~CurlShares() = default;

    Locks m_cookieLocks;
    Locks m_dnsLocks;
    CURLSH *m_cookieStore = nullptr;
    CURLSH *m_dnsOnly = nullptr;
};

} // namespace cloud
