#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <chrono>
#include <optional>
#include <string>

namespace cloud {

class LoginWindow;

// The registration page's `sendSmsCode`: asks the service for an SMS code to the number
// in `编辑框注册账号` (the hint when untouched; the service judges the number) and shows
// the progress in the caption of `按钮发送验证码`, a refusal in a box titled "发送失败",
// and after a success the 60-second resend countdown. A click while a run or its
// countdown is under way is ignored, so that one run at a time drives the button.
class SmsCodeFlow : public QObject
{
    Q_OBJECT
public:
    struct Refusal
    {
        QString message;
        // How long the message stays the last word before the button is ready again.
        std::chrono::milliseconds afterwards;
    };

    explicit SmsCodeFlow(QObject *parent = nullptr);

    void attach(LoginWindow *window);
    bool isRunning() const { return m_running; }

    // The message for a refusing reply; nothing for success and for unknown replies.
    static std::optional<Refusal> refusalOf(const std::string &reply);

public slots:
    void start();

private:
    QPointer<LoginWindow> m_window;
    bool m_running = false;
};

} // namespace cloud
