#pragma once

#include <string_view>

namespace cloud {

class RememberedAccount;
class SignInDisplay;

// The manual sign-in: account, password and captcha posted with the device key, the
// outcome shown on the sign-in button, on success the hand-over to the main window.
class SignInFlow
{
public:
    static constexpr std::string_view kWrongAccountCaption = "           用户或密码不正确";

    SignInFlow(SignInDisplay *display, RememberedAccount *remembered);

    // Started by the button or by Enter in the password box, on the GUI thread. The
    // requests and pauses run on a worker. Refused (false) while a sign-in already
    // drives the page, the automatic one included.
    bool signIn();

private:
    SignInDisplay *m_display;
    RememberedAccount *m_remembered;
};

} // namespace cloud
