#pragma once

#include "orders/PurchaseRequests.h"

#include <QPointer>

#include <functional>

namespace cloud {

class CataloguePage;

// The order worker: sends one order after the PurchaseWindow has closed and shows its
// progress on the catalogue's buy button and busy picture, then its outcome (a success
// caption, or the service's message in an error box). Its steps run on a worker; every
// control write is posted to the GUI thread in order.
class OrderFlow
{
public:
    // Starts the worker for `request`; refuses (false) while another order is under way.
    // Call on the GUI thread.
    static bool start(CataloguePage *page, OrderRequest request);
    static bool isRunning();

private:
    OrderFlow(CataloguePage *page, OrderRequest request);
    void run();
    void showOutcome(const OrderOutcome &outcome, int okDelayMs, int failDelayMs);
    void post(std::function<void(CataloguePage &)> write);
    void showError(const QString &text);
    void waitForAnimationEnd(bool success);

    QPointer<QObject> m_guard;
    CataloguePage *m_page;
    OrderRequest m_request;
};

} // namespace cloud
