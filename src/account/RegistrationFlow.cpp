#include "account/RegistrationFlow.h"

#include "account/ButtonDriver.h"
#include "account/RegistrationRequests.h"
#include "api/Endpoints.h"
#include "app/Pacing.h"
#include "ui/GuiThread.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include <QPushButton>

#include <string_view>

namespace cloud {

namespace {

using std::chrono::milliseconds;

const QString kBusyCaption = QStringLiteral("    正在注册中");
const QString kReadyCaption = QStringLiteral("注册");
constexpr milliseconds kSuccessShown{1000};
constexpr milliseconds kFailureShown{2000};

struct ReplyCaption
{
    std::string_view reply;
    const char *caption;
};

// The service's answers to a registration, tested in this order.
constexpr ReplyCaption kCaptions[] = {
    {"1000", "注册成功"},         {"1004", "    手机格式不正确"}, {"1005", "    密码格式不正确"},
    {"1002", "    验证码不正确"}, {"1006", "    验证码不正确"},   {"1008", "    密码不能连号"},
    {"1003", "    用户已存在"},   {"1001", "    手机不匹配"},     {"", "    网络超时"},
};
constexpr const char *kOtherCaption = "    注册失败";

struct LocalCheck
{
    QString RegistrationFlow::Entries::*box;
    const char *hint; // an untouched box holds its hint, which counts as empty
    const char *message;
};

// The boxes that must be filled, checked in this order; the confirmation is compared
// with the password between the third and the fourth.
const LocalCheck kFilledChecks[] = {
    {&RegistrationFlow::Entries::mobile, "手机号码", "手机号不能为空"},
    {&RegistrationFlow::Entries::password, "密码", "密码不能为空"},
    {&RegistrationFlow::Entries::confirmation, "确认密码", "确认密码不能为空"},
};
const LocalCheck kCodeCheck{&RegistrationFlow::Entries::code, "短信验证码", "请正确填写验证码"};

bool isBlank(const RegistrationFlow::Entries &entries, const LocalCheck &check)
{
    const QString &text = entries.*check.box;
    return text.isEmpty() || text == QString::fromUtf8(check.hint);
}

std::string utf8(const QString &text)
{
    return text.toStdString();
}

void pause(milliseconds ms)
{
    Pacing::instance().pause(ms);
}

} // namespace

RegistrationFlow::RegistrationFlow(QObject *parent) : QObject(parent)
{}

void RegistrationFlow::attach(LoginWindow *window)
{
    m_window = window;
    connect(window, &LoginWindow::registerRequested, this, &RegistrationFlow::start);
}

QString RegistrationFlow::checkEntries(const Entries &entries)
{
    for (const LocalCheck &check : kFilledChecks) {
        if (isBlank(entries, check))
            return QString::fromUtf8(check.message);
    }
    if (entries.confirmation != entries.password)
        return QStringLiteral("两次密码不一致");
    if (isBlank(entries, kCodeCheck))
        return QString::fromUtf8(kCodeCheck.message);
    return {};
}

RegistrationFlow::Outcome RegistrationFlow::outcomeOf(const std::string &reply)
{
    const bool success = reply == api::kCodeSuccess;
    // The pause of a success is used for no reply at all, too.
    const bool shortPause = success || reply.empty();
    for (const ReplyCaption &entry : kCaptions) {
        if (reply == entry.reply)
            return {success, shortPause, QString::fromUtf8(entry.caption)};
    }
    return {false, false, QString::fromUtf8(kOtherCaption)};
}

void RegistrationFlow::start()
{
    LoginWindow *window = m_window;
    if (m_running || !window)
        return;
    const Entries entries{window->registerMobileEdit()->text(),
                          window->registerPasswordEdit()->text(),
                          window->registerConfirmEdit()->text(), window->smsCodeEdit()->text()};
    const QString problem = checkEntries(entries);
    if (!problem.isEmpty()) {
        MessageBox::skinned(window, QStringLiteral("错误"), problem);
        return;
    }
    m_running = true;
    const ButtonDriver button(window, window->registerButton(), window->registerBusy());
    // The flag is cleared after the run's last write, unless the flow is gone by then.
    QPointer<QObject> guard(this);
    RegistrationFlow *self = this;
    Workers::start([button, entries, guard, self] {
        run(button, entries);
        postToGui(guard, [self] { self->m_running = false; });
    });
}

void RegistrationFlow::run(const ButtonDriver &button, const Entries &entries)
{
    Pacing &pacing = Pacing::instance();
    const milliseconds failPause{pacing.randomBetween(500, 3000)};
    const milliseconds okPause{pacing.randomBetween(300, 1300)};
    button.startBusy();
    button.setCaption(kBusyCaption);

    const Outcome outcome = outcomeOf(
        registerRequest(utf8(entries.mobile), utf8(entries.password), utf8(entries.code)));
    pause(outcome.shortPause ? okPause : failPause);
    if (outcome.success) {
        button.showSuccess();
        button.setCaption(outcome.caption);
        pause(kSuccessShown);
        button.waitSuccessEnd();
        // Registered: the caption stays, and the button has done its work.
        button.setEnabled(false);
        button.hide();
        return;
    }
    button.showFailure();
    button.setCaption(outcome.caption);
    pause(kFailureShown);
    button.waitFailureEnd();
    button.setCaption(kReadyCaption);
    button.hide();
}

} // namespace cloud
