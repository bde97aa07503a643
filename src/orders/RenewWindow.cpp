#include "orders/RenewWindow.h"

#include "api/Endpoints.h"
#include "orders/OrdersStyle.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace cloud {
namespace {

const QString kYuan = QStringLiteral("元");
const QString kShortOfMoney = QStringLiteral("余额不足");
const QString kRenewed = QStringLiteral("续费成功");

PeriodDialog::Design renewDesign()
{
    return {QStringLiteral("RenewWindow"), QStringLiteral("续费"), QStringLiteral("延长"),
            QStringLiteral("续费按钮"),    QStringLiteral("续费"), false};
}

} // namespace

RenewWindow::RenewWindow(QString hostId, QString hostName, OrdersContext context, QWidget *parent)
    : PeriodDialog(renewDesign(), std::move(context), parent), m_hostId(std::move(hostId))
{
    showHostName(hostName);
    connect(this, &PeriodDialog::periodClicked, this, &RenewWindow::onRenewPeriodChosen);
    connect(actionButton(), &QPushButton::clicked, this, &RenewWindow::onRenewClicked);
    fill();
}

// Which host is renewed, beside the title.
void RenewWindow::showHostName(const QString &hostName)
{
    setWindowTitle(titleLabel()->text() + QStringLiteral(" ") + hostName);
    auto *name = new QLabel(hostName, this);
    name->setObjectName(QStringLiteral("主机名称"));
    setOrdersRole(name, "host");
    name->setGeometry(titleLabel()->x() + 50, titleLabel()->y() + 3, 300, 26);
}

void RenewWindow::setBusy(bool filling, bool renewing)
{
    m_filling = filling;
    m_renewing = renewing;
    actionButton()->setEnabled(!isBusy());
}

void RenewWindow::fill()
{
    checkPeriod(RentalPeriod::Month);
    periodButton(RentalPeriod::Day)->setEnabled(false);
    periodButton(RentalPeriod::Annual)->setEnabled(false);
    setBusy(true, false);
    const std::string hostId = m_hostId.toStdString();
    runThenCallback<RenewalOffer>(
        this, [hostId] { return RenewalRequests::offer(hostId); },
        [this](const RenewalOffer &offer) { showOffer(offer); });
}

void RenewWindow::showOffer(const RenewalOffer &offer)
{
    m_offer = offer;
    applyOfferedPeriods();
    openTimeLabel()->setText(QString::fromStdString(offer.startTime));
    expiryLabel()->setText(QString::fromStdString(offer.endTime));
    onRenewPeriodChosen();
    setBusy(false, false);
    emit filled();
}

// "一个月" is always offered; the other two only with a price.
void RenewWindow::applyOfferedPeriods()
{
    periodButton(RentalPeriod::Day)->setEnabled(m_offer.offers(RentalPeriod::Day));
    periodButton(RentalPeriod::Annual)->setEnabled(m_offer.offers(RentalPeriod::Annual));
}

void RenewWindow::onRenewPeriodChosen()
{
    applyOfferedPeriods();
    const auto period = checkedPeriod();
    feeLabel()->setText(QString::number(period ? m_offer.price(*period) : 0) + kYuan);
}

void RenewWindow::onRenewClicked()
{
    const auto period = checkedPeriod();
    if (isBusy() || !period)
        return;
    if (!RenewalRequests::balanceCovers(context().balance().toStdString(),
                                        m_offer.price(*period))) {
        MessageBox::information(this, kShortOfMoney);
        return;
    }
    setBusy(false, true);
    const std::string hostId = m_hostId.toStdString();
    runThenCallback<std::string>(
        this, [period = *period, hostId] { return RenewalRequests::renew(period, hostId); },
        [this](const std::string &reply) { showRenewalReply(reply); });
}

void RenewWindow::showRenewalReply(const std::string &reply)
{
    setBusy(false, false);
    if (reply != api::kCodeSuccess) {
        MessageBox::information(this, QString::fromStdString(reply));
        emit renewalAnswered(false);
        return;
    }
    MessageBox::information(this, kRenewed);
    if (context().reloadHostList)
        context().reloadHostList();
    emit renewalAnswered(true);
    close();
}

} // namespace cloud
