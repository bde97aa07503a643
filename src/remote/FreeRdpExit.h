#pragma once

#include "remote/RemoteDesktopLauncher.h"

#include <string>

namespace cloud {

// What the end of a FreeRDP client run means to the user. Empty when there is
// nothing to say: a session that ended normally (closed, disconnected, logged off)
// or a client that was stopped from outside.
class FreeRdpExit
{
public:
    static std::string message(const LaunchOutcome &outcome);
    static std::string exitCodeMeaning(int code);
};

} // namespace cloud
