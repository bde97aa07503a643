#pragma once

#include "platform/DriveList.h"
#include "remote/HostRow.h"
#include "remote/RemoteDesktopLauncher.h"
#include "remote/RemoteNotifier.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cloud {

// What a connection works with; tests put stand-ins in.
struct RemoteConnectionContext
{
    std::string programDir; // holds config.ini and History
    std::string keyFile;    // the password protection key
    std::shared_ptr<RemoteDesktopLauncher> launcher;
    std::shared_ptr<RemoteNotifier> notifier;
    // This machine's drives; empty: the drive list of the system.
    std::function<std::vector<DriveEntry>()> drives;
    // The client's end is reported only while this object lives.
    QPointer<QObject> owner;
};

// Starting a connection to the host of one host-list row.
class RemoteConnection
{
public:
    enum class Result {
        NotRunning,      // the host is not running: nothing happens
        BadAddress,      // the address is no host and port: nothing happens
        PasswordTooLong, // refused with a message rather than cut
        WriteFailed,     // the connection file could not be written: a message
        Started          // the client is starting on a worker
    };

    static constexpr const char *kRunning = "运行中";
    static constexpr const char *kGpuMark = "显卡";

    // Runs on the GUI thread up to the start of the client; the client is started
    // and waited for on a worker, and a failure it ends with is shown afterwards.
    static Result connectToHost(const HostRow &row, const RemoteConnectionContext &context);
};

} // namespace cloud
