#include "account/SmsCountdown.h"

#include "app/Pacing.h"
#include "ui/Workers.h"

namespace cloud {

SmsCountdown::SmsCountdown(ButtonDriver sendButton, ButtonDriver registerButton)
    : m_sendButton(std::move(sendButton)), m_registerButton(std::move(registerButton))
{}

QString SmsCountdown::captionFor(int left)
{
    return QString::number(left) + QLatin1Char('s');
}

void SmsCountdown::run() const
{
    m_sendButton.setEnabled(false);
    for (int i = 1; i <= seconds && !Workers::stopping(); ++i) {
        m_sendButton.setCaption(captionFor(seconds - i));
        Pacing::instance().pause(std::chrono::seconds(1));
    }
    m_sendButton.setEnabled(true);
    // A registration that succeeded meanwhile disabled its button; it is offered again.
    m_registerButton.setEnabled(true);
    m_sendButton.setCaption(QStringLiteral("发送验证码"));
}

} // namespace cloud
