#pragma once

#include "app/AppSession.h"
#include "app/Pacing.h"
#include "finance/UserProfile.h"
#include "ui/MessageBox.h"
#include "ui/SkinStyle.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace cloud::test {

// One QApplication for the whole test program, made on first use with the skin
// applied and message boxes answered without being shown. It lives until exit.
inline QApplication &guiApp()
{
    static QApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "gui_tests";
        static char *argv[] = {name, nullptr};
        auto *created = new QApplication(argc, argv);
        applySkin(*created);
        MessageBox::setHeadless(true);
        return created;
    }();
    return *app;
}

class GuiTest : public ::testing::Test
{
protected:
    void SetUp() override { guiApp(); }
};

// Shows a window and makes it the active one, so that focus changes really happen.
inline bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// What a signed-in client leaves in the process: the installed pacing, unread message
// boxes, the profile and the session flags. Called after a test's workers have ended.
inline void resetClientState()
{
    Pacing::install(nullptr);
    MessageBox::takeRecords();
    UserProfile::instance().clear();
    AppSession::instance().setSessionStopped(false);
    AppSession::instance().setSignedInFlag(false);
}

} // namespace cloud::test
