#pragma once

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <memory>

namespace cloud::test {

// Owns the QApplication for the rest of the run and ends it when the tests have
// finished, while Qt's own globals (tooltips, fonts) still exist.
class RemoteGuiAppEnvironment : public ::testing::Environment
{
public:
    explicit RemoteGuiAppEnvironment(std::unique_ptr<QApplication> app) : m_app(std::move(app)) {}
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QApplication> m_app;
};

// The one QApplication of the GUI tests (another helper's may already exist), on the
// offscreen platform unless one is chosen.
inline QApplication &remoteGuiApp()
{
    if (auto *existing = qobject_cast<QApplication *>(QCoreApplication::instance()))
        return *existing;
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "gui_tests";
    static char *argv[] = {name, nullptr};
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication &created = *app;
    ::testing::AddGlobalTestEnvironment(new RemoteGuiAppEnvironment(std::move(app)));
    return created;
}

} // namespace cloud::test
