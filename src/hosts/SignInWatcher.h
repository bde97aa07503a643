#pragma once

#include <functional>
#include <memory>

namespace cloud {

class SessionGeneration;

// Watches for the hand-over from the sign-in flows: once a second, for the life of the
// process (or of the main window), it looks at AppSession's `signedInFlag` and runs the
// main window's initialisation on its own thread when the flag is up. The initialisation
// clears the flag when it is done.
class SignInWatcher
{
public:
    // Starts the watcher worker.
    static void start(std::shared_ptr<SessionGeneration> generation,
                      std::function<void()> initialise);
};

} // namespace cloud
