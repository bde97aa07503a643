#include "finance/RealNameWindow.h"

#include "finance/RealNameRequest.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"
#include "ui/PageControls.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace cloud {

using PageControls::label;
using PageControls::lineEdit;

namespace {

constexpr int margin = 40;
constexpr int windowWidth = 552;
constexpr int captionWidth = 86;
constexpr int valueX = margin + captionWidth;
constexpr int valueWidth = windowWidth - margin - valueX;

const char *const kNotice =
    "根据《中华人民共和国网络安全法》第二十四条规定，网络运营者为用户办理网络接入、域名注册服务，"
    "办理固定电话、移动电话等入网手续，或者为用户提供信息发布、即时通讯等服务，在与用户签订协议"
    "或者确认提供服务时，应当要求用户提供真实身份信息。用户不提供真实身份信息的，网络运营者不得"
    "为其提供相关服务。请您如实填写真实身份信息。";

const char *const kWindowStyle = R"(
QLabel#标签EX2 { color: #FFFFFF; font-size: 16px; font-weight: bold; }
QLabel#标签EX6 {
    color: #AEB7C8;
    font-size: 12px;
    background-color: rgba(61, 139, 253, 0.10);
    border: 1px solid rgba(61, 139, 253, 0.35);
    border-radius: 8px;
    padding: 8px 12px;
}
QLabel#账号, QLabel#手机号码, QLabel#真实姓名, QLabel#身份证号 { color: #C9CFDA; }
QLabel#账号1, QLabel#手机号码1 { color: #FFFFFF; font-size: 14px; padding-left: 15px; }
)";

QString profileText(const std::function<std::string()> &value)
{
    return value ? QString::fromStdString(value()) : QString();
}

} // namespace

RealNameWindow::RealNameWindow(FinanceContext context, QWidget *parent)
    : SkinnedWindow(QStringLiteral("RealNameWindow"), QStringLiteral("个人信息1"),
                    QSize(windowWidth, 415), false, parent),
      m_context(std::move(context))
{
    setWindowTitle(QStringLiteral("实名认证"));
    setStyleSheet(QString::fromUtf8(kWindowStyle));
    label("标签EX2", "实名认证", QRect(margin, 18, 200, 26), this);
    createNotice();
    createRows();
    connect(this, &SkinnedWindow::closeRequested, this, &QWidget::close);
    m_account->setText(profileText(m_context.userName));
    m_mobile->setText(profileText(m_context.mobile));
}

void RealNameWindow::createNotice()
{
    QLabel *notice =
        label("标签EX6", kNotice, QRect(margin, 54, windowWidth - 2 * margin, 112), this);
    notice->setWordWrap(true);
    notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void RealNameWindow::createRows()
{
    label("账号", "账   号：", QRect(margin, 176, captionWidth, 28), this);
    m_account = label("账号1", "", QRect(valueX, 176, valueWidth, 28), this);
    label("手机号码", "手机号码：", QRect(margin, 206, captionWidth, 28), this);
    m_mobile = label("手机号码1", "", QRect(valueX, 206, valueWidth, 28), this);
    label("真实姓名", "真实姓名：", QRect(margin, 244, captionWidth, 40), this);
    m_name =
        lineEdit("真实姓名_编辑框", "身份证上的姓名", QRect(valueX, 244, valueWidth, 40), this);
    label("身份证号", "身份证号：", QRect(margin, 292, captionWidth, 40), this);
    m_idNumber =
        lineEdit("身份证号_编辑框", "18 位身份证号码", QRect(valueX, 292, valueWidth, 40), this);
    setTabOrder(m_name, m_idNumber);

    m_button = new QPushButton(QStringLiteral("认证"), this);
    m_button->setObjectName(QStringLiteral("实名认证按钮"));
    m_button->setGeometry(valueX, 346, valueWidth, 42);
    m_button->setCursor(Qt::PointingHandCursor);
    connect(m_button, &QPushButton::clicked, this, [this] { submitRealName(); });
}

RealNameWindow *RealNameWindow::open(QWidget *parent, FinanceContext context)
{
    auto *window = new RealNameWindow(std::move(context), parent);
    window->showModalOver(parent);
    return window;
}

// Neither box is checked here: the service judges the data against the account's mobile.
bool RealNameWindow::submitRealName()
{
    if (m_busy)
        return false;
    m_busy = true;
    m_button->setEnabled(false);
    const std::string mobile = m_context.mobile ? m_context.mobile() : std::string();
    QPointer<QObject> guard(this);
    Workers::start([this, guard, name = m_name->text().toStdString(),
                    idNumber = m_idNumber->text().toStdString(), mobile,
                    reload = m_context.reloadProfile] {
        const bool accepted = RealNameRequest::submit(name, idNumber, mobile);
        if (accepted && reload)
            reload();
        postToGui(guard, [this, accepted] { finishSubmission(accepted); });
    });
    return true;
}

void RealNameWindow::finishSubmission(bool accepted)
{
    m_busy = false;
    m_button->setEnabled(true);
    if (!accepted) {
        MessageBox::information(this,
                                QStringLiteral("认证信息不匹配，请确保手机号码与本人身份信息一致，"
                                               "如有问题请联系客服！"));
        return;
    }
    emit verified();
    MessageBox::information(this, QStringLiteral("认证成功！"));
    close();
}

void RealNameWindow::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}

QWidget *RealNameWindow::frameTabTarget() const
{
    return m_name;
}

} // namespace cloud
