#pragma once

#include <string>
#include <vector>

namespace cloud {

// What the remote desktop client is started with.
struct LaunchRequest
{
    std::vector<std::string> arguments; // after the program's name
    std::string standardInput;          // the whole input; the password and a line feed
};

// How a client run ended.
struct LaunchOutcome
{
    enum class Kind {
        Exited,    // `code` is the exit code
        Signalled, // `code` is the signal that ended it
        NotFound,  // the client program is not installed
        StartFailed,
        Abandoned // the program began to end before the client did; nobody waits any more
    };
    Kind kind = Kind::Exited;
    int code = 0;
};

// Starts the remote desktop client and waits for it to end. run() blocks, so it is
// called on a worker, never on the GUI thread.
class RemoteDesktopLauncher
{
public:
    virtual ~RemoteDesktopLauncher() = default;
    virtual LaunchOutcome run(const LaunchRequest &request) = 0;
};

} // namespace cloud
