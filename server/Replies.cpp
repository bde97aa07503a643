#include "Replies.h"

#include "data/Gbk.h"

namespace refservice {

namespace {

constexpr const char *textType = "text/html; charset=gbk";
constexpr const char *jsonType = "application/json; charset=gbk";

} // namespace

void replyText(httplib::Response &res, std::string_view utf8Text)
{
    res.status = 200;
    res.set_header("Cache-Control", "private");
    res.set_content(cloud::utf8ToGbk(utf8Text), textType);
}

void replyCode(httplib::Response &res, std::string_view code)
{
    replyText(res, code);
}

void replyJson(httplib::Response &res, const nlohmann::json &value)
{
    const std::string text = value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    res.status = 200;
    res.set_header("Cache-Control", "private");
    res.set_content(cloud::utf8ToGbk(text), jsonType);
}

void replyPng(httplib::Response &res, const std::string &pngBytes)
{
    res.status = 200;
    res.set_content(pngBytes, "image/png");
}

void redirectTo(httplib::Response &res, const std::string &location)
{
    res.status = 302;
    res.set_header("Location", location);
    res.set_content(cloud::utf8ToGbk("<html><head><title>对象已移动</title></head><body>"
                                     "<h1>对象已移动</h1>可以在<a href=\"" +
                                     location + "\">此处</a>找到该对象。</body></html>"),
                    textType);
}

void redirectToSignIn(httplib::Response &res)
{
    redirectTo(res, signInPagePath);
}

void replyServerError(httplib::Response &res)
{
    res.status = 500;
    res.set_content(cloud::utf8ToGbk("<html><body><h1>500 - 内部服务器错误。</h1></body></html>"),
                    textType);
}

FormFields formFields(const httplib::Request &req)
{
    return FormFields::parse(req.body);
}

FormFields formFields(const httplib::Request &req, const std::vector<std::string_view> &knownNames)
{
    return FormFields::parse(req.body, knownNames);
}

FormFields queryFields(const httplib::Request &req)
{
    return FormFields::fromTarget(req.target);
}

} // namespace refservice
