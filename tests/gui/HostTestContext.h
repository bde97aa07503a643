#pragma once

#include "GuiTestEnvironment.h"
#include "hosts/HostActionsContext.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include <QCoreApplication>
#include <QWidget>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace cloud::test {

// Stands in for the main window: records what the host actions ask of it.
struct HostActionsRecorder
{
    QWidget mainWindow;
    QString realName = QStringLiteral("张三");
    std::optional<HostRow> selected;
    int reloads = 0;
    int profileOpenings = 0;
    std::vector<HostRow> connected;
    std::vector<HostRow> renewed;

    HostActionsContext context(bool withSelection = true)
    {
        HostActionsContext c;
        c.parent = &mainWindow;
        if (withSelection)
            c.selectedRow = [this] { return selected; };
        c.realNameText = [this] { return realName; };
        c.reloadHostList = [this] { ++reloads; };
        c.connect = [this](const HostRow &row) { connected.push_back(row); };
        c.renew = [this](const HostRow &row) { renewed.push_back(row); };
        c.openProfile = [this] { ++profileOpenings; };
        return c;
    }
};

inline HostRow sampleHost()
{
    return HostRow{"标准型", "hk-01", "203.0.113.7:3390", "运行中", "42", "Pa55word"};
}

// Processes GUI events until `done` holds or ten seconds have passed.
inline bool waitUntil(const std::function<bool()> &done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

// Deletes the windows that closed themselves (they delete later).
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HostGuiTest : public GuiTest
{
protected:
    // The fixtures hold widgets, so the application must exist before their members.
    HostGuiTest() { guiApp(); }
    void SetUp() override
    {
        GuiTest::SetUp();
        MessageBox::setHeadless(true);
        MessageBox::takeRecords();
    }
    void TearDown() override
    {
        Workers::resetForTests();
        QCoreApplication::processEvents();
        MessageBox::takeRecords();
    }
};

} // namespace cloud::test
