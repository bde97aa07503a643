#include "account/ButtonDriver.h"

#include "app/Pacing.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/Workers.h"

#include <QPushButton>

namespace cloud {

ButtonDriver::ButtonDriver(QObject *window, QPushButton *button, BusyIndicator *busy)
    : m_window(window), m_button(button), m_busy(busy)
{}

void ButtonDriver::post(std::function<void()> write) const
{
    postToGui(m_window, std::move(write));
}

void ButtonDriver::showAndWait(std::function<void(QWidget *window)> show) const
{
    readFromGui<bool>(m_window, [window = m_window, show = std::move(show)] {
        show(qobject_cast<QWidget *>(window.data()));
        return true;
    });
}

void ButtonDriver::setCaption(const QString &caption) const
{
    post([button = m_button, caption] { button->setText(caption); });
}

void ButtonDriver::setEnabled(bool enabled) const
{
    post([button = m_button, enabled] { button->setEnabled(enabled); });
}

void ButtonDriver::postToBusy(std::function<void(BusyIndicator &)> write) const
{
    if (m_busy)
        post([busy = m_busy, write = std::move(write)] { write(*busy); });
}

void ButtonDriver::startBusy() const
{
    postToBusy([](BusyIndicator &busy) { busy.startBusy(); });
}

void ButtonDriver::showSuccess() const
{
    postToBusy([](BusyIndicator &busy) { busy.showSuccess(); });
}

void ButtonDriver::showFailure() const
{
    postToBusy([](BusyIndicator &busy) { busy.showFailure(); });
}

void ButtonDriver::hide() const
{
    postToBusy([](BusyIndicator &busy) { busy.hide(); });
}

void ButtonDriver::waitSuccessEnd() const
{
    waitUntil([](const BusyIndicator &busy) { return busy.successEnded(); });
}

void ButtonDriver::waitFailureEnd() const
{
    waitUntil([](const BusyIndicator &busy) { return busy.failureEnded(); });
}

// The indicator is asked on the GUI thread, after the writes queued before, so the wait
// sees the animation that the flow started.
void ButtonDriver::waitUntil(std::function<bool(const BusyIndicator &)> ended) const
{
    if (!m_busy)
        return;
    const auto deadline = std::chrono::steady_clock::now() + maxAnimationWait;
    while (!Workers::stopping() && std::chrono::steady_clock::now() < deadline) {
        const std::optional<bool> done =
            readFromGui<bool>(m_window, [busy = m_busy, ended] { return ended(*busy); });
        if (!done || *done)
            return;
        Pacing::instance().pause(pollInterval);
    }
}

} // namespace cloud
