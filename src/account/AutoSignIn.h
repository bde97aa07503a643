#pragma once

#include <string_view>

namespace cloud {

class SignInDisplay;

// The automatic sign-in that runs once after start-up when "自动登录" is ticked: the
// key sign-in with the texts of the form, without a captcha, shown on the sign-in
// button like a manual sign-in.
class AutoSignIn
{
public:
    static constexpr std::string_view kExpiredCaption = "           自动登录失效";

    explicit AutoSignIn(SignInDisplay *display);

    // Starts the worker (GUI thread). It ends at once when the box is not ticked, and
    // gives way to a manual sign-in started during its first second.
    void start();
    // The worker's body.
    void autoSignIn();

private:
    SignInDisplay *m_display;
};

} // namespace cloud
