#pragma once

#include <functional>
#include <string>

namespace cloud {

class AccountSettings;
class LoginWindow;

// The sign-in page's two check boxes and the account settings file behind them:
// "记住密码" keeps the account and the password, "自动登录" asks for an automatic
// sign-in at the next start. Called on the GUI thread.
class RememberedAccount
{
public:
    // `settingsPath` names the account settings file when asked: it is known only once
    // the service's title has been fetched.
    RememberedAccount(LoginWindow *window, std::function<std::string()> settingsPath);

    // At start-up: with remembering set in the file, ticks "记住密码", puts the stored
    // account and password into the form (the password masked, an empty value replacing
    // the hint as well) and ticks "自动登录" when that is set too. Otherwise the form
    // keeps its hints and both boxes stay unticked.
    void restoreRememberedAccount();
    // The state of "记住密码" with the texts the boxes hold now (a hint as its text).
    // The file is written on a worker, after every save made before (SerialWorker).
    void saveRememberedAccount();
    void saveAutoSignIn();
    // Clicks on either check box save at once.
    void saveOnClicks();

private:
    AccountSettings settings() const;

    LoginWindow *m_window;
    std::function<std::string()> m_settingsPath;
};

} // namespace cloud
