#pragma once

#include "account/ButtonDriver.h"

#include <QString>

namespace cloud {

// The resend countdown after an SMS code went out: the send button is disabled for 60
// one-second steps, its caption counting '59s' down to '0s'; then both buttons of the
// registration page are enabled and the send button reads "发送验证码" again. It runs to
// its end (only the program's end cuts it short) on the worker that calls run().
class SmsCountdown
{
public:
    static constexpr int seconds = 60;

    SmsCountdown(ButtonDriver sendButton, ButtonDriver registerButton);

    void run() const;

    // The caption with `left` seconds to go ("59s").
    static QString captionFor(int left);

private:
    ButtonDriver m_sendButton;
    ButtonDriver m_registerButton;
};

} // namespace cloud
