#include "finance/RechargeWindow.h"

#include "finance/RechargeRequest.h"
#include "ui/GuiThread.h"
#include "ui/HoverLabel.h"
#include "ui/MessageBox.h"
#include "ui/PageControls.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace cloud {

using PageControls::label;
using PageControls::lineEdit;

namespace {

constexpr int margin = 28;
constexpr int captionWidth = 78;
constexpr int editX = margin + captionWidth;
constexpr int editWidth = 348 - margin - editX;
constexpr int rowHeight = 38;

const char *const kWindowStyle = R"(
QLabel#标签EX2 { color: #FFFFFF; font-size: 16px; font-weight: bold; }
QLabel#标签EX1, QLabel#标签EX3 { color: #C9CFDA; font-size: 13px; }
)";

} // namespace

RechargeWindow::RechargeWindow(FinanceContext context, QWidget *parent)
    : SkinnedWindow(QStringLiteral("RechargeWindow"), QStringLiteral("个人信息1"), QSize(348, 237),
                    false, parent),
      m_context(std::move(context))
{
    setWindowTitle(QStringLiteral("充值中心"));
    setStyleSheet(QString::fromUtf8(kWindowStyle));
    createControls();
    connect(this, &SkinnedWindow::closeRequested, this, &QWidget::close);
    // The account proposed is the signed-in one; the user may credit another.
    if (m_context.userName)
        m_account->setText(QString::fromStdString(m_context.userName()));
}

void RechargeWindow::createControls()
{
    m_title = label("标签EX2", "充值中心", QRect(margin, 18, 200, 26), this);
    label("标签EX1", "充值账号：", QRect(margin, 64, captionWidth, rowHeight), this);
    m_account = lineEdit("编辑框EX2", "要充值的账号", QRect(editX, 64, editWidth, rowHeight), this);
    label("标签EX3", "充值金额：", QRect(margin, 114, captionWidth, rowHeight), this);
    m_amount = lineEdit("编辑框EX1", "金额（元）", QRect(editX, 114, editWidth, rowHeight), this);
    setTabOrder(m_account, m_amount);

    m_button = new QPushButton(QStringLiteral("充值"), this);
    m_button->setObjectName(QStringLiteral("充值按钮"));
    m_button->setGeometry(margin, 172, 348 - 2 * margin, 42);
    m_button->setCursor(Qt::PointingHandCursor);
    connect(m_button, &QPushButton::clicked, this, [this] { onRechargeClicked(); });
}

RechargeWindow *RechargeWindow::open(QWidget *parent, FinanceContext context)
{
    auto *window = new RechargeWindow(std::move(context), parent);
    window->showModalOver(parent);
    return window;
}

bool RechargeWindow::onRechargeClicked()
{
    if (m_busy)
        return false;
    const QString account = m_account->text();
    const QString amount = m_amount->text();
    if (account.isEmpty()) {
        MessageBox::skinned(this, QStringLiteral("错误"), QStringLiteral("账号不能为空"));
        return false;
    }
    if (amount.isEmpty()) {
        MessageBox::skinned(this, QStringLiteral("错误"), QStringLiteral("金额不能为空"));
        return false;
    }
    m_busy = true;
    m_button->setEnabled(false);
    QPointer<QObject> guard(this);
    Workers::start([this, guard, account = account.toStdString(), amount = amount.toStdString()] {
        const QUrl page = RechargeRequest::paymentPage(RechargeRequest::send(account, amount));
        postToGui(guard, [this, page] { finishRecharge(page); });
    });
    return true;
}

// Only a web address reaches the browser: the reply of a faulty or hostile service
// could otherwise make the shell run a program or open a local file.
void RechargeWindow::finishRecharge(const QUrl &paymentPage)
{
    m_busy = false;
    m_button->setEnabled(true);
    if (!paymentPage.isValid()) {
        MessageBox::skinned(this, QStringLiteral("错误"), QStringLiteral("充值失败"));
        return;
    }
    openInBrowser(paymentPage);
    close();
}

void RechargeWindow::openInBrowser(const QUrl &page)
{
    if (m_context.openUrl)
        m_context.openUrl(page);
    else
        QDesktopServices::openUrl(page);
}

void RechargeWindow::closeEvent(QCloseEvent *event)
{
    emit closed();
    QWidget::closeEvent(event);
}

QWidget *RechargeWindow::frameTabTarget() const
{
    return m_account;
}

} // namespace cloud
