#pragma once

#include <QUrl>

#include <functional>
#include <string>

namespace cloud {

// What the top-up and verification windows need from the rest of the client: the
// signed-in account's profile and the way to reload it, and the browser. The owner
// of the profile fills it in when it opens a window.
struct FinanceContext
{
    // The profile's `userName` and `mobile` (UTF-8); called on the GUI thread.
    std::function<std::string()> userName;
    std::function<std::string()> mobile;
    // Called on a worker after the service accepted a verification: reloads the
    // profile and stores its real-name text (`realNameText` = `loadUserProfile()`),
    // which opens the real-name gate.
    std::function<void()> reloadProfile;
    // Hands an address to the default browser; empty means QDesktopServices::openUrl.
    // Tests record here instead of opening anything.
    std::function<void(const QUrl &)> openUrl;
};

} // namespace cloud
