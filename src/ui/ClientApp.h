#pragma once

#include "app/StartupConfig.h"
#include "ui/ClientOptions.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

namespace cloud {

class AutoSignIn;
class CaptchaLoader;
class LoginWindow;
class MainWindow;
class RememberedAccount;
class SignInDisplay;
class SignInFlow;

// The running client: the start-up sequence, the LoginWindow with its flows wired to
// it, the MainWindow loaded hidden, and the exit clean-up.
//
// The GUI thread never waits on the network: the LoginWindow shows at once with its
// pages locked, the start-up configuration runs on a worker (its six requests
// together), and the remaining start-up steps follow on the GUI thread in their order.
class ClientApp : public QObject
{
    Q_OBJECT
public:
    // What the client takes from the system; tests give their own.
    struct Environment
    {
        StartupInputs inputs;
        // Writes the carried updater program to a path; false when it could not.
        std::function<bool(const std::string &path)> writeUpdater;
        // Starts a program without waiting for it; false when it could not.
        std::function<bool(const std::string &path)> startProgram;
        // Interrupts every pause and exchange and joins every worker, at exit.
        std::function<void()> stopWorkers;
    };

    // The real system: enters the program directory (so relative names mean the files
    // next to the executable) and fetches with the HTTP engine.
    static Environment systemEnvironment(const ClientOptions &options);

    explicit ClientApp(Environment environment, ClientOptions options = {});
    ~ClientApp() override;

    // Starts the start-up sequence and shows the LoginWindow; returns at once.
    void start();
    // The exit clean-up, then ended(exitCode). Only the first call counts.
    void end(int exitCode);

    // Null until start().
    LoginWindow *loginWindow() const { return m_login.get(); }
    // Null until start-up has loaded it.
    MainWindow *mainWindow() const { return m_main.get(); }
    SignInDisplay *signInDisplay() const { return m_display; }
    bool isReady() const { return m_ready; }
    bool hasEnded() const { return m_ended; }

signals:
    // Start-up is through: the first captcha is shown and the sign-in page takes input.
    void readyForInput();
    // The program should end now with this exit code; the clean-up has run.
    void ended(int exitCode);

private:
    void startConfiguration();
    void createLoginWindow();
    void finishStartup(const StartupOutcome &outcome);
    bool versionAllowsStart(const StartupOutcome &outcome);
    void loadMainWindow();
    void lockPages(bool locked);
    void fillDemoAccount();
    void openRecoveryPage();
    void noteCaptchaShown();
    void shutDown();

    Environment m_env;
    ClientOptions m_options;
    std::unique_ptr<LoginWindow> m_login;
    std::unique_ptr<MainWindow> m_main;
    SignInDisplay *m_display = nullptr;
    CaptchaLoader *m_captcha = nullptr;
    std::unique_ptr<RememberedAccount> m_remembered;
    std::unique_ptr<SignInFlow> m_signIn;
    std::unique_ptr<AutoSignIn> m_autoSignIn;
    bool m_configured = false;
    bool m_ready = false;
    bool m_ended = false;
};

} // namespace cloud
