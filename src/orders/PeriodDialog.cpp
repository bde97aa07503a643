#include "orders/PeriodDialog.h"

#include "orders/LinkLabel.h"
#include "orders/OrdersStyle.h"
#include "ui/HoverLabel.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace cloud {
namespace {

constexpr QSize kSize(509, 343);
constexpr int kLeft = 40;
constexpr int kValueX = 124;
constexpr int kRowHeight = 30;
constexpr int kTimesY = 62;
constexpr int kRowStep = 34;
constexpr int kGroupY = 130;
// The fee row sits under the operating-system row when there is one.
constexpr int kFeeY = 212;
constexpr int kFeeBelowSystemY = 240;
constexpr int kFooterY = 290;

const QString kBalancePrefix = QStringLiteral("当前余额:");

} // namespace

PeriodDialog::PeriodDialog(const Design &design, OrdersContext context, QWidget *parent)
    : SkinnedWindow(design.windowName, QStringLiteral("个人信息1"), kSize, false, parent),
      m_context(std::move(context))
{
    setStyleSheet(ordersStyleSheet());
    m_title = new QLabel(design.title, this);
    m_title->setObjectName(QStringLiteral("标签EX2"));
    m_title->setGeometry(kLeft, 18, 200, 30);
    setOrdersRole(m_title, "title");
    createTimes();
    createPeriods(design.groupTitle);
    const int feeY = design.withSystemRow ? kFeeBelowSystemY : kFeeY;
    rowCaption(QStringLiteral("费用"), QStringLiteral("扣除费用："), feeY);
    m_fee = rowValue(QStringLiteral("费用1"), feeY);
    setOrdersRole(m_fee, "fee");
    createFooter(design);
    connect(this, &SkinnedWindow::closeRequested, this, &QWidget::close);
    closeLabel()->raise();
}

QLabel *PeriodDialog::rowCaption(const QString &name, const QString &text, int y)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(kLeft, y, kValueX - kLeft, kRowHeight);
    setOrdersRole(label, "caption");
    return label;
}

QLabel *PeriodDialog::rowValue(const QString &name, int y, int width)
{
    auto *label = new QLabel(this);
    label->setObjectName(name);
    setOrdersRole(label, "value");
    label->setGeometry(kValueX, y, width, kRowHeight);
    return label;
}

void PeriodDialog::createTimes()
{
    rowCaption(QStringLiteral("开通时间"), QStringLiteral("开通时间："), kTimesY);
    m_openTime = rowValue(QStringLiteral("开通时间1"), kTimesY);
    rowCaption(QStringLiteral("到期时间"), QStringLiteral("到期时间："), kTimesY + kRowStep);
    m_expiry = rowValue(QStringLiteral("到期时间1"), kTimesY + kRowStep);
}

void PeriodDialog::createPeriods(const QString &groupTitle)
{
    m_group = new QGroupBox(groupTitle, this);
    m_group->setObjectName(QStringLiteral("分组框EX1"));
    m_group->setGeometry(kLeft, kGroupY, width() - 2 * kLeft, 56);
    const std::array<QString, 3> captions{QStringLiteral("一天"), QStringLiteral("一个月"),
                                          QStringLiteral("一年")};
    for (int i = 0; i < 3; ++i) {
        auto *button = new QRadioButton(captions[i], m_group);
        button->setObjectName(QStringLiteral("单选框EX%1").arg(i + 1));
        button->setGeometry(20 + i * 140, 18, 120, 30);
        button->setCursor(Qt::PointingHandCursor);
        connect(button, &QRadioButton::clicked, this, &PeriodDialog::periodClicked);
        m_periods[i] = button;
    }
}

void PeriodDialog::createFooter(const Design &design)
{
    m_balance = new QLabel(kBalancePrefix + m_context.balance(), this);
    m_balance->setObjectName(QStringLiteral("余额"));
    setOrdersRole(m_balance, "balance");
    m_recharge = new LinkLabel(QStringLiteral("充值"), QStringLiteral("充值"), this);
    connect(m_recharge, &LinkLabel::clicked, this, [this] {
        if (m_context.openRecharge)
            m_context.openRecharge(this);
    });
    m_action = new QPushButton(design.buttonText, this);
    m_action->setObjectName(design.buttonName);
    m_action->setGeometry(width() - kLeft - 128, kFooterY, 128, 38);
    m_action->setCursor(Qt::PointingHandCursor);
    placeBalance();
}

// The link follows the balance text, which is as long as the service's figure.
void PeriodDialog::placeBalance()
{
    m_balance->ensurePolished();
    const int room = m_action->x() - kLeft - 60;
    const int textWidth =
        std::min(room, m_balance->fontMetrics().horizontalAdvance(m_balance->text()) + 2);
    m_balance->setGeometry(kLeft, kFooterY + 4, textWidth, kRowHeight);
    m_recharge->setGeometry(kLeft + textWidth + 10, kFooterY + 4, 40, kRowHeight);
}

void PeriodDialog::open()
{
    showModalOver(parentWidget());
}

std::optional<RentalPeriod> PeriodDialog::checkedPeriod() const
{
    for (RentalPeriod period : kRentalPeriods)
        if (periodButton(period)->isChecked())
            return period;
    return std::nullopt;
}

void PeriodDialog::checkPeriod(RentalPeriod period)
{
    periodButton(period)->setChecked(true);
}

void PeriodDialog::paintEvent(QPaintEvent *event)
{
    SkinnedWindow::paintEvent(event);
    // A hairline under the title and a quieter band behind the balance and the button.
    QPainter painter(this);
    painter.setPen(QColor(255, 255, 255, 18));
    painter.drawLine(kLeft, 52, width() - kLeft, 52);
    painter.fillRect(QRect(1, kFooterY - 12, width() - 2, height() - kFooterY + 11),
                     QColor(0, 0, 0, 40));
}

} // namespace cloud
