#pragma once

#include <string>

namespace cloud {

// The account requests that several flows share. Each blocks its calling thread (always a
// worker) and returns the reply as program text; an empty text means no reply.

// Ends the service session the cookie store carries; sent before every sign-in and by the
// sign-out. Nobody looks at the reply.
std::string signOutRequest();

// The sign-in with captcha ("/user/loginpost"); the reply decoded, ready to compare.
std::string signInRequest(const std::string &account, const std::string &password,
                          const std::string &captcha);

// The key sign-in ("/user/khdloginpd"), used by the automatic sign-in and as the session
// check: "1000" means the session is (again) valid.
std::string keySignInRequest(const std::string &account, const std::string &password);

// A fresh decimal fraction in [0, 1) written the way a script engine writes Math.random(),
// such as "0.8135471243068516"; makes every captcha URL unique.
std::string captchaId();

// The captcha image bytes ("/user/captcha?id=" + a fresh id); empty when there is no reply.
std::string captchaImageRequest();

} // namespace cloud
