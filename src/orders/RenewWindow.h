#pragma once

#include "orders/PeriodDialog.h"
#include "orders/RenewalRequests.h"

namespace cloud {

// The renewal dialog for one host of the host list, opened from its context menu:
//
//     auto *renew = new RenewWindow(hostId, hostName, context, mainWindow);
//     renew->open();
//
// `hostId` is the host row's identifier (column 8 of the host list). The prices and the
// host's times are fetched on a worker when it opens; "续费" checks the balance, sends the
// renewal on a worker, and on "1000" says "续费成功", reloads the host list and closes.
// Any other reply is shown as it is and the dialog stays for another try.
class RenewWindow : public PeriodDialog
{
    Q_OBJECT
public:
    RenewWindow(QString hostId, QString hostName, OrdersContext context, QWidget *parent = nullptr);

    QString hostId() const { return m_hostId; }
    const RenewalOffer &offer() const { return m_offer; }
    // A price or renewal request is under way; the button takes no click meanwhile.
    bool isBusy() const { return m_filling || m_renewing; }

public slots:
    void onRenewPeriodChosen();
    void onRenewClicked();

signals:
    // The prices and times have been shown.
    void filled();
    // A renewal reply has been handled (the dialog closes itself after a success).
    void renewalAnswered(bool renewed);

private:
    void showHostName(const QString &hostName);
    void fill();
    void showOffer(const RenewalOffer &offer);
    void applyOfferedPeriods();
    void showRenewalReply(const std::string &reply);
    void setBusy(bool filling, bool renewing);

    QString m_hostId;
    RenewalOffer m_offer;
    bool m_filling = false;
    bool m_renewing = false;
};

} // namespace cloud
