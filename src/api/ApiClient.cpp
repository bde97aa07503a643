#include "api/ApiClient.h"

#include "app/AppSession.h"
#include "data/Gbk.h"
#include "net/HttpEngine.h"

namespace cloud {

namespace {

std::optional<std::string> headersOrNone(std::string_view headers)
{
    if (headers.empty())
        return std::nullopt;
    return std::string(headers);
}

} // namespace

ApiClient::ApiClient(std::string baseUrl) : m_baseUrl(std::move(baseUrl))
{}

ApiClient ApiClient::fromSession()
{
    return ApiClient(AppSession::instance().baseUrl());
}

std::string ApiClient::url(std::string_view pathAndQuery) const
{
    return m_baseUrl + std::string(pathAndQuery);
}

std::string ApiClient::getText(std::string_view pathAndQuery, std::string_view headers) const
{
    return replyText(HttpEngine::fetch(
        {.url = url(pathAndQuery), .method = HttpMethod::Get, .headers = headersOrNone(headers)}));
}

std::string ApiClient::getBytes(std::string_view pathAndQuery) const
{
    return HttpEngine::fetch({.url = url(pathAndQuery)});
}

std::string ApiClient::postText(std::string_view pathAndQuery, std::string_view form,
                                bool noRedirect, std::string_view headers) const
{
    FetchPageArgs args{.url = url(pathAndQuery),
                       .method = HttpMethod::Post,
                       .body = std::string(form),
                       .headers = headersOrNone(headers)};
    if (noRedirect)
        args.noRedirect = true;
    return replyText(HttpEngine::fetch(args));
}

std::string ApiClient::postForm(std::string_view pathAndQuery, const FieldList &form,
                                bool noRedirect) const
{
    return postText(pathAndQuery, form.toForm(), noRedirect);
}

std::string ApiClient::replyText(std::string_view replyBytes)
{
    return gbkTextToUtf8(replyBytes);
}

} // namespace cloud
