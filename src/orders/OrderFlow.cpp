#include "orders/OrderFlow.h"

#include "app/Pacing.h"
#include "orders/CataloguePage.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"

#include <QPushButton>

#include <atomic>

namespace cloud {
namespace {

// Captions of the buy button; the leading blanks leave room for the busy picture.
const QString kBusyCaption = QStringLiteral("  开通中");
const QString kSuccessCaption = QStringLiteral("   开通成功");
const QString kIdleCaption = QStringLiteral("购买");
const QString kErrorTitle = QStringLiteral("错误");

// Pauses before an outcome is shown, and how long a success stays on the button.
constexpr int kOkDelayLow = 300, kOkDelayHigh = 1300;
constexpr int kFailDelayLow = 500, kFailDelayHigh = 3000;
constexpr std::chrono::milliseconds kSuccessHold{3000};

// The outcome animations end within a second; the bound keeps the worker from waiting for
// ever when the shared phase was moved on by the card top-up.
constexpr std::chrono::milliseconds kPollStep{20};
constexpr int kMaxPolls = 150;

std::atomic<bool> g_running{false};

} // namespace

bool OrderFlow::start(CataloguePage *page, OrderRequest request)
{
    bool idle = false;
    if (!page || Workers::stopping() || !g_running.compare_exchange_strong(idle, true))
        return false;
    Workers::start([flow = OrderFlow(page, std::move(request))]() mutable {
        flow.run();
        g_running = false;
    });
    return true;
}

bool OrderFlow::isRunning()
{
    return g_running;
}

OrderFlow::OrderFlow(CataloguePage *page, OrderRequest request)
    : m_guard(page), m_page(page), m_request(std::move(request))
{}

void OrderFlow::run()
{
    post([](CataloguePage &page) { page.buyButton()->setEnabled(false); });
    Pacing &pacing = Pacing::instance();
    const int failDelayMs = pacing.randomBetween(kFailDelayLow, kFailDelayHigh);
    const int okDelayMs = pacing.randomBetween(kOkDelayLow, kOkDelayHigh);
    post([](CataloguePage &page) {
        page.busy()->startBusy();
        page.setBuyCaption(kBusyCaption);
    });
    showOutcome(PurchaseRequests::placeOrder(m_request), okDelayMs, failDelayMs);
    post([](CataloguePage &page) {
        page.setBuyCaption(kIdleCaption);
        page.busy()->hide();
        page.buyButton()->setEnabled(true);
    });
}

void OrderFlow::showOutcome(const OrderOutcome &outcome, int okDelayMs, int failDelayMs)
{
    Pacing &pacing = Pacing::instance();
    if (outcome.succeeded) {
        pacing.pause(std::chrono::milliseconds(okDelayMs));
        post([](CataloguePage &page) {
            page.busy()->showSuccess();
            page.setBuyCaption(kSuccessCaption);
        });
        pacing.pause(kSuccessHold);
        waitForAnimationEnd(true);
        return;
    }
    pacing.pause(std::chrono::milliseconds(failDelayMs));
    post([](CataloguePage &page) { page.busy()->showFailure(); });
    showError(QString::fromStdString(outcome.message));
    waitForAnimationEnd(false);
}

void OrderFlow::post(std::function<void(CataloguePage &)> write)
{
    postToGui(m_guard, [page = m_page, write = std::move(write)] { write(*page); });
}

// The worker waits for the box to be closed, as the failure animation plays behind it.
void OrderFlow::showError(const QString &text)
{
    readFromGui<int>(m_guard, [page = m_page, text] {
        MessageBox::skinned(page->window(), kErrorTitle, text);
        return 0;
    });
}

void OrderFlow::waitForAnimationEnd(bool success)
{
    for (int poll = 0; poll < kMaxPolls; ++poll) {
        const std::optional<bool> ended = readFromGui<bool>(m_guard, [page = m_page, success] {
            return success ? page->busy()->successEnded() : page->busy()->failureEnded();
        });
        if (!ended || *ended)
            return;
        Pacing::instance().pause(kPollStep);
    }
}

} // namespace cloud
