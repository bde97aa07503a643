#include "finance/ProfileReply.h"

#include "data/JsonDoc.h"
#include "finance/UserProfile.h"

#include <algorithm>

namespace cloud::ProfileReply {
namespace {

// Line breaks between the members do not matter to the service's pages, so they are dropped
// before the text is read as JSON.
bool parseReply(std::string_view reply, JsonDoc &doc)
{
    std::string text(reply);
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n'; });
    return doc.parse(text);
}

// A string bare, a number as its digits; missing and null values are empty.
std::string value(const JsonDoc &doc, std::string_view path)
{
    switch (doc.typeAt(path)) {
    case JsonDoc::Absent:
        return {};
    case JsonDoc::String:
        return doc.textAt(path);
    default:
        return doc.jsonAt(path);
    }
}

} // namespace

std::string userName(std::string_view reply)
{
    JsonDoc doc;
    return parseReply(reply, doc) ? value(doc, "data.username") : std::string();
}

std::optional<Profile> profile(std::string_view reply)
{
    JsonDoc doc;
    if (!parseReply(reply, doc))
        return std::nullopt;
    Profile result;
    // The number 1 and the string "1" both mark a verified account; nothing else does.
    result.realName = value(doc, "data.VerificationResult") == "1"
                          ? value(doc, "data.truename")
                          : std::string(UserProfile::unverified);
    result.balance = value(doc, "data.usermoney") + "元";
    result.mobile = value(doc, "data.mobi");
    result.qq = value(doc, "data.QQ");
    result.email = value(doc, "data.email");
    return result;
}

} // namespace cloud::ProfileReply
