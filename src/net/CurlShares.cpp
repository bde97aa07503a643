#include "net/CurlShares.h"

namespace cloud {

namespace {

void lockData(CURL *, curl_lock_data data, curl_lock_access, void *user)
{
    (*static_cast<CurlShares::Locks *>(user))[static_cast<std::size_t>(data)].lock();
}

void unlockData(CURL *, curl_lock_data data, void *user)
{
    (*static_cast<CurlShares::Locks *>(user))[static_cast<std::size_t>(data)].unlock();
}

CURLSH *makeShare(CurlShares::Locks *locks, bool withCookies)
{
    CURLSH *share = curl_share_init();
    if (!share)
        return nullptr;
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, lockData);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, unlockData);
    curl_share_setopt(share, CURLSHOPT_USERDATA, locks);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    if (withCookies)
        curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    return share;
}

} // namespace

CurlShares::CurlShares()
{
    static std::once_flag globalInit;
    std::call_once(globalInit, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    m_cookieStore = makeShare(&m_cookieLocks, true);
    m_dnsOnly = makeShare(&m_dnsLocks, false);
}

CurlShares &CurlShares::instance()
{
    // Never destroyed: worker threads may still be inside a call while the process ends.
    static CurlShares *shares = new CurlShares;
    return *shares;
}

} // namespace cloud
