#pragma once

#include "platform/DriveList.h"
#include "remote/HostAddress.h"
#include "remote/RemoteDesktopSettings.h"

#include <string>
#include <vector>

namespace cloud {

// The command line of the FreeRDP client, built from the same options as the
// connection file (which that client is not given: it would stop at the drive line,
// reset the desktop look, print the password blob and turn certificate checks off).
// The password never appears here: the client reads it from its standard input.
class FreeRdpArguments
{
public:
    // `title` names the window; `drives` are this machine's drives now, of which
    // those named in 本地驱动器 are shared.
    static std::vector<std::string> build(const ConnectionSettings &settings,
                                          const HostAddress &address, const std::string &title,
                                          const std::vector<DriveEntry> &drives);

    // The share name of a drive: its label, else the last part of its mount point,
    // else "root"; without the "," that separates the name from the path.
    static std::string shareName(const DriveEntry &drive);

    // The colour depths the client takes; others go to the nearest one it has.
    static std::string colorDepth(std::string_view bits);
};

} // namespace cloud
