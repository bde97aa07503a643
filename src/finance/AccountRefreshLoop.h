#pragma once

#include <functional>
#include <optional>
#include <string>

namespace cloud {

// The account refresh loop of a signed-in session: about every 30 seconds it confirms the
// session, reloads the user name and the profile, and reloads the visible host-list page.
// Two passes in a row without a user name end the program; a failed session check sets
// AppSession's `sessionStopped`, which ends this loop and the session's other loops.
class AccountRefreshLoop
{
public:
    static constexpr int secondsBetweenPasses = 30;
    static constexpr int missesToGiveUp = 2;

    struct Hooks
    {
        // False once this loop's session is over (signed out, signed in anew, window gone,
        // program ending). `sessionStopped` is looked at as well.
        std::function<bool()> current;
        // The session check; "1000" when the session is valid.
        std::function<std::string()> checkSession;
        std::function<std::string()> loadUserName;
        // The real-name text the profile carries; empty when the profile did not load.
        std::function<std::optional<std::string>()> loadProfile;
        // Puts the name on the main window's user-name label.
        std::function<void(const std::string &)> showUserName;
        std::function<void()> reloadHostList;
        // "网络连接失败，请重新登录！", then the end of the program.
        std::function<void()> networkFailed;
    };

    explicit AccountRefreshLoop(Hooks hooks) : m_hooks(std::move(hooks)) {}

    // The whole loop; returns when it ends.
    void run();
    // One pass up to the pause: stop check, session check, user name, profile. False when
    // the loop ends here.
    bool runPass();
    // The pause and the host-list reload that follow a pass. False when the loop ends.
    bool pauseAndReload();

    int missCount() const { return m_missCount; }

private:
    bool keepGoing() const;

    Hooks m_hooks;
    int m_missCount = 0;
};

} // namespace cloud
