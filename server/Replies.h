#pragma once

#include "FormFields.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

namespace refservice {

// How the service answers. Texts are written in UTF-8 by the handlers and go on the wire as
// GBK, the code page the client reads every reply in.

// A text reply (a result code, a command text, a message, a page).
void replyText(httplib::Response &res, std::string_view utf8Text);
// A bare result code such as "1000"; the same bytes as replyText, named for the call sites.
void replyCode(httplib::Response &res, std::string_view code);
// A JSON reply; characters stay unescaped and become GBK like any text.
void replyJson(httplib::Response &res, const nlohmann::json &value);
void replyPng(httplib::Response &res, const std::string &pngBytes);
// 302 to `location`, with a tiny page for browsers that do not follow.
void redirectTo(httplib::Response &res, const std::string &location);
// What a signed-out browser gets from a page that needs a session.
void redirectToSignIn(httplib::Response &res);
// The page of an IIS-like server error.
void replyServerError(httplib::Response &res);

// The form fields of a POST body, from the raw bytes (GBK, not percent-encoded).
FormFields formFields(const httplib::Request &req);
// The same for a form whose field names are known: a value may then hold "&" (FormFields).
FormFields formFields(const httplib::Request &req, const std::vector<std::string_view> &knownNames);
// The query fields of the request target, from the raw bytes as well.
FormFields queryFields(const httplib::Request &req);

inline constexpr const char *signInPagePath = "/user/login.html";

} // namespace refservice
