#include "account/SmsCodeFlow.h"

#include "account/ButtonDriver.h"
#include "account/RegistrationRequests.h"
#include "account/SmsCountdown.h"
#include "api/Endpoints.h"
#include "app/Pacing.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include <string_view>

namespace cloud {

namespace {

using std::chrono::milliseconds;

const QString kSendingCaption = QStringLiteral("正在发送中");
const QString kSentCaption = QStringLiteral("发送成功");
const QString kReadyCaption = QStringLiteral("发送验证码");
const QString kRefusalTitle = QStringLiteral("发送失败");

struct ReplyRefusal
{
    std::string_view reply;
    const char *message;
    milliseconds afterwards;
};

// The service's refusals, tested in this order.
constexpr ReplyRefusal kRefusals[] = {
    {"1003", "号码已注册", milliseconds{0}},
    {"1002", "过于频繁", milliseconds{1000}},
    {"1007", "验证码错误", milliseconds{1000}},
    {"1001", "手机格式不正确", milliseconds{1000}},
};

void pause(milliseconds ms)
{
    Pacing::instance().pause(ms);
}

struct Run
{
    ButtonDriver sendButton;
    ButtonDriver registerButton;
    std::string mobile;

    void operator()() const;
    void refuse(const SmsCodeFlow::Refusal &refusal, milliseconds failPause) const;
};

void Run::operator()() const
{
    Pacing &pacing = Pacing::instance();
    const milliseconds failPause{pacing.randomBetween(500, 3000)};
    const milliseconds okPause{pacing.randomBetween(300, 1300)};
    sendButton.setCaption(kSendingCaption);

    const std::string reply = smsCodeRequest(mobile);
    if (reply == api::kCodeSuccess) {
        pause(okPause);
        sendButton.setCaption(kSentCaption);
        pause(milliseconds{1000});
        SmsCountdown(sendButton, registerButton).run();
    } else if (const auto refusal = SmsCodeFlow::refusalOf(reply)) {
        refuse(*refusal, failPause);
    } else {
        sendButton.setCaption(kReadyCaption);
    }
}

// The box is the flow's own step: the flow goes on once it is closed.
void Run::refuse(const SmsCodeFlow::Refusal &refusal, milliseconds failPause) const
{
    pause(failPause);
    sendButton.showAndWait([message = refusal.message](QWidget *window) {
        MessageBox::skinned(window, kRefusalTitle, message);
    });
    pause(refusal.afterwards);
    sendButton.setCaption(kReadyCaption);
}

} // namespace

SmsCodeFlow::SmsCodeFlow(QObject *parent) : QObject(parent)
{}

void SmsCodeFlow::attach(LoginWindow *window)
{
    m_window = window;
    connect(window, &LoginWindow::smsCodeRequested, this, &SmsCodeFlow::start);
}

std::optional<SmsCodeFlow::Refusal> SmsCodeFlow::refusalOf(const std::string &reply)
{
    for (const ReplyRefusal &entry : kRefusals) {
        if (reply == entry.reply)
            return Refusal{QString::fromUtf8(entry.message), entry.afterwards};
    }
    return std::nullopt;
}

void SmsCodeFlow::start()
{
    LoginWindow *window = m_window;
    if (m_running || !window)
        return;
    m_running = true;
    const Run run{ButtonDriver(window, window->sendSmsButton()),
                  ButtonDriver(window, window->registerButton()),
                  window->registerMobileEdit()->text().toStdString()};
    // The flag is cleared after the run's last write, unless the flow is gone by then.
    QPointer<QObject> guard(this);
    SmsCodeFlow *self = this;
    Workers::start([run, guard, self] {
        run();
        postToGui(guard, [self] { self->m_running = false; });
    });
}

} // namespace cloud
