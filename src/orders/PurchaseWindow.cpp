#include "orders/PurchaseWindow.h"

#include "orders/DateTimeText.h"
#include "orders/DropDown.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace cloud {
namespace {

const QString kChooseProduct = QStringLiteral("请选择购买的产品");
const QString kYuan = QStringLiteral("元");

PeriodDialog::Design purchaseDesign()
{
    return {QStringLiteral("PurchaseWindow"), QStringLiteral("开通"), QStringLiteral("时长"),
            QStringLiteral("开通按钮"),       QStringLiteral("开通"), true};
}

} // namespace

PurchaseWindow::PurchaseWindow(QString productId, OrdersContext context, QWidget *parent)
    : PeriodDialog(purchaseDesign(), std::move(context), parent), m_productId(std::move(productId))
{
    createSystemRow();
    connect(this, &PeriodDialog::periodClicked, this, &PurchaseWindow::onPeriodChosen);
    connect(actionButton(), &QPushButton::clicked, this, &PurchaseWindow::onOpenClicked);
    fill();
}

void PurchaseWindow::createSystemRow()
{
    rowCaption(QStringLiteral("标签222"), QStringLiteral("操作系统："), systemRowY);
    m_systems = new DropDown(QStringLiteral("操作系统组合框"), this);
    m_systems->setGeometry(124, systemRowY - 2, 300, 34);
    // The identifiers run parallel to the names; the user never sees them.
    m_systemIds = new QComboBox(this);
    m_systemIds->setObjectName(QStringLiteral("操作系统组合框1"));
    m_systemIds->setGeometry(430, systemRowY - 2, 1, 34);
    m_systemIds->hide();
    m_systemId = new QLabel(this);
    m_systemId->setObjectName(QStringLiteral("系统OSID"));
    m_systemId->hide();
    connect(m_systems, &QComboBox::activated, this, &PurchaseWindow::onOsChosen);
}

// What needs no reply is shown at once; prices and systems follow from a worker.
void PurchaseWindow::fill()
{
    checkPeriod(RentalPeriod::Month);
    m_periodCode = cloud::periodCode(RentalPeriod::Month);
    const QDateTime now = context().currentTime();
    openTimeLabel()->setText(dateText(now));
    expiryLabel()->setText(dateText(addPeriod(now, RentalPeriod::Month)));
    m_filling = true;
    actionButton()->setEnabled(false);
    periodButton(RentalPeriod::Day)->setEnabled(false);
    periodButton(RentalPeriod::Annual)->setEnabled(false);
    const std::string productId = m_productId.toStdString();
    runThenCallback<PurchaseOffer>(
        this, [productId] { return PurchaseRequests::offer(productId); },
        [this](const PurchaseOffer &offer) { showOffer(offer); });
}

void PurchaseWindow::showOffer(const PurchaseOffer &offer)
{
    m_offer = offer;
    periodButton(RentalPeriod::Day)->setEnabled(offer.offers(RentalPeriod::Day));
    periodButton(RentalPeriod::Annual)->setEnabled(offer.offers(RentalPeriod::Annual));
    if (const auto period = checkedPeriod())
        showPrice(*period);
    for (const OsChoice &system : offer.systems) {
        m_systems->addItem(QString::fromStdString(system.name));
        m_systemIds->addItem(QString::fromStdString(system.id));
    }
    // The first system is chosen.
    if (!offer.systems.empty()) {
        m_systems->setCurrentIndex(0);
        m_systemIds->setCurrentIndex(0);
        m_systemId->setText(QString::fromStdString(offer.systems.front().id));
    }
    m_filling = false;
    actionButton()->setEnabled(true);
    emit filled();
}

void PurchaseWindow::showPrice(RentalPeriod period)
{
    feeLabel()->setText(QString::fromStdString(m_offer.price(period)) + kYuan);
    m_periodCode = cloud::periodCode(period);
}

void PurchaseWindow::onPeriodChosen()
{
    const auto period = checkedPeriod();
    if (!period)
        return;
    showPrice(*period);
    expiryLabel()->setText(dateText(addPeriod(context().currentTime(), *period)));
}

void PurchaseWindow::onOsChosen(int index)
{
    const QString id = m_systemIds->itemText(index);
    m_systemIds->setCurrentIndex(index);
    m_systemId->setText(id);
}

void PurchaseWindow::onOpenClicked()
{
    if (m_filling)
        return;
    if (m_productId.isEmpty()) {
        MessageBox::information(this, kChooseProduct);
        return;
    }
    emit orderRequested(
        {m_periodCode, m_productId.toStdString(), m_systemId->text().toStdString()});
    close();
}

} // namespace cloud
