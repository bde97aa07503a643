#pragma once

#include "net/FieldList.h"

#include <string>
#include <string_view>

namespace cloud {

// Composes the service's URLs and makes its calls the one way every feature makes them:
// forms as typed (no percent-encoding), the engine's default headers unless a header set
// is given, the session carried by the process-wide cookie store. Replies come back as
// program text: bytes up to the first zero byte, from GBK. Safe on any thread.
class ApiClient
{
public:
    // `baseUrl` is "http://" + API host, without a trailing "/".
    explicit ApiClient(std::string baseUrl);
    // The client for AppSession's base URL.
    static ApiClient fromSession();

    const std::string &baseUrl() const { return m_baseUrl; }
    std::string url(std::string_view pathAndQuery) const;

    // GET; the reply as text.
    std::string getText(std::string_view pathAndQuery, std::string_view headers = {}) const;
    // GET; the reply bytes as they came (images).
    std::string getBytes(std::string_view pathAndQuery) const;
    // POST of a form text; the reply as text.
    std::string postText(std::string_view pathAndQuery, std::string_view form,
                         bool noRedirect = false, std::string_view headers = {}) const;
    std::string postForm(std::string_view pathAndQuery, const FieldList &form,
                         bool noRedirect = false) const;

    // The program text of a reply: up to the first zero byte, converted from GBK.
    static std::string replyText(std::string_view replyBytes);

private:
    std::string m_baseUrl;
};

} // namespace cloud
