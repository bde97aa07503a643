#pragma once

#include "ui/SkinnedWindow.h"

class QLabel;
class QTimer;

namespace cloud {

class LoginWindow;

// The window of a signed-in account. Loaded hidden at start-up; its sign-in watcher
// shows it once a sign-in flow has raised the hand-over flag.
class MainWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    explicit MainWindow(LoginWindow *loginWindow, QWidget *parent = nullptr);

    // Looks at the hand-over flag once a second; when it is set, shows this window
    // and clears the flag.
    void startSignInWatcher();

private:
    void checkSignIn();

    LoginWindow *m_loginWindow;
    QLabel *m_greeting = nullptr;
    QTimer *m_watcher = nullptr;
};

} // namespace cloud
