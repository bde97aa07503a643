#pragma once

#include "remote/RemoteDesktopLauncher.h"

namespace cloud {

// The FreeRDP X11 client, found on PATH. While it runs, the worker checks about
// five times a second whether the program is ending, and then stops waiting: the
// client stays open, as any program the user started would.
class XfreerdpLauncher : public RemoteDesktopLauncher
{
public:
    static constexpr const char *kProgram = "xfreerdp";
    static constexpr const char *kPackage = "freerdp2-x11";

    LaunchOutcome run(const LaunchRequest &request) override;
};

} // namespace cloud
