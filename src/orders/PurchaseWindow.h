#pragma once

#include "orders/PeriodDialog.h"
#include "orders/PurchaseRequests.h"

class QComboBox;

namespace cloud {

// The purchase dialog for one product of the catalogue: the period and its price, the
// open and expiry dates, the operating system (`操作系统组合框` with the names,
// `操作系统组合框1` with the identifiers item for item, `系统OSID` with the chosen one)
// and the balance. The prices and systems are fetched on a worker when it opens; until
// they are shown `开通按钮` is disabled. "开通" hands the order over (orderRequested) and
// closes the dialog at once; the catalogue's order worker sends it.
class PurchaseWindow : public PeriodDialog
{
    Q_OBJECT
public:
    PurchaseWindow(QString productId, OrdersContext context, QWidget *parent = nullptr);

    QString productId() const { return m_productId; }
    QComboBox *systemBox() const { return m_systems; }
    QComboBox *systemIdBox() const { return m_systemIds; }
    QLabel *systemIdLabel() const { return m_systemId; }
    bool isFilling() const { return m_filling; }
    // The period code the order will carry: "day", "month" or "Annual".
    std::string periodCode() const { return m_periodCode; }

public slots:
    void onPeriodChosen();
    void onOsChosen(int index);
    void onOpenClicked();

signals:
    // The prices and systems have been shown.
    void filled();
    void orderRequested(const OrderRequest &request);

private:
    void createSystemRow();
    void fill();
    void showOffer(const PurchaseOffer &offer);
    void showPrice(RentalPeriod period);

    QString m_productId;
    PurchaseOffer m_offer;
    std::string m_periodCode;
    bool m_filling = false;
    QComboBox *m_systems = nullptr;
    QComboBox *m_systemIds = nullptr;
    QLabel *m_systemId = nullptr;
};

} // namespace cloud
