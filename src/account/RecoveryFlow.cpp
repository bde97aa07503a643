#include "account/RecoveryFlow.h"

#include "account/ButtonDriver.h"
#include "account/RecoveryRequest.h"
#include "api/Endpoints.h"
#include "app/Pacing.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/Workers.h"

#include <string_view>

namespace cloud {

namespace {

using std::chrono::milliseconds;

const QString kBusyCaption = QStringLiteral("    正在发送");
const QString kReadyCaption = QStringLiteral("找回密码");
constexpr milliseconds kOutcomeShown{1000};

struct ReplyCaption
{
    std::string_view reply;
    const char *caption;
};

// The service's answers; anything else, no reply included, is a failure.
constexpr ReplyCaption kCaptions[] = {
    {"1000", "    找回成功"},
    {"1015", "    信息不匹配"},
};
constexpr const char *kOtherCaption = "    失败";

void pause(milliseconds ms)
{
    Pacing::instance().pause(ms);
}

} // namespace

RecoveryFlow::RecoveryFlow(QObject *parent) : QObject(parent)
{}

void RecoveryFlow::attach(LoginWindow *window)
{
    m_window = window;
    connect(window, &LoginWindow::passwordRecoveryRequested, this, &RecoveryFlow::start);
}

RecoveryFlow::Outcome RecoveryFlow::outcomeOf(const std::string &reply)
{
    for (const ReplyCaption &entry : kCaptions) {
        if (reply == entry.reply)
            return {reply == api::kCodeSuccess, QString::fromUtf8(entry.caption)};
    }
    return {false, QString::fromUtf8(kOtherCaption)};
}

void RecoveryFlow::start()
{
    LoginWindow *window = m_window;
    if (m_running || !window)
        return;
    m_running = true;
    const ButtonDriver button(window, window->recoveryButton(), window->recoveryBusy());
    const std::string account = window->recoveryAccountEdit()->text().toStdString();
    const std::string mobile = window->recoveryMobileEdit()->text().toStdString();
    // The flag is cleared after the run's last write, unless the flow is gone by then.
    QPointer<QObject> guard(this);
    RecoveryFlow *self = this;
    Workers::start([button, account, mobile, guard, self] {
        run(button, account, mobile);
        postToGui(guard, [self] { self->m_running = false; });
    });
}

void RecoveryFlow::run(const ButtonDriver &button, const std::string &account,
                       const std::string &mobile)
{
    button.setEnabled(false);
    Pacing &pacing = Pacing::instance();
    const milliseconds failPause{pacing.randomBetween(500, 3000)};
    const milliseconds okPause{pacing.randomBetween(300, 1300)};
    button.startBusy();
    button.setCaption(kBusyCaption);

    const Outcome outcome = outcomeOf(recoveryRequest(account, mobile));
    pause(outcome.success ? okPause : failPause);
    if (outcome.success)
        button.showSuccess();
    else
        button.showFailure();
    button.setCaption(outcome.caption);
    pause(kOutcomeShown);
    if (outcome.success)
        button.waitSuccessEnd();
    else
        button.waitFailureEnd();
    button.setCaption(kReadyCaption);
    button.hide();
    button.setEnabled(true);
}

} // namespace cloud
