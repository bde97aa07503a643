#include "remote/RemoteConnection.h"

#include "app/Pacing.h"
#include "app/ProgramPaths.h"
#include "platform/PasswordProtection.h"
#include "remote/FreeRdpArguments.h"
#include "remote/FreeRdpExit.h"
#include "remote/HostAddress.h"
#include "remote/RdpConnectionFile.h"
#include "remote/RemoteDesktopSettings.h"
#include "ui/GuiThread.h"

#include <algorithm>
#include <chrono>

namespace cloud {

namespace {

constexpr const char *kInfoTitle = "信息：";
constexpr const char *kGpuTitle = "提示";
constexpr const char *kGpuNotice =
    "检测到您远程的机器为显卡机器，此远程桌面为临时远程，请使用向日葵\\TD等方式远程"
    "（使用临时远程后一定要重启，否则会导致显卡功能不生效）";
constexpr const char *kWriteFailed = "写入RDP文件失败，请确保软件未被杀毒软件拦截或者软件已经解压";
constexpr const char *kPasswordTooLong =
    "主机密码过长（超过255个字符），无法用于远程桌面连接，请先修改主机密码。";

// An address with control characters would add lines of its own to the connection file.
bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::optional<HostAddress> addressOf(const HostRow &row)
{
    if (hasControlCharacter(row.address))
        return std::nullopt;
    return HostAddress::split(row.address);
}

std::vector<DriveEntry> drivesOf(const RemoteConnectionContext &context)
{
    return context.drives ? context.drives() : DriveList::localFixedDrives();
}

void startClient(const RemoteConnectionContext &context, LaunchRequest request)
{
    Workers::start([launcher = context.launcher, notifier = context.notifier, owner = context.owner,
                    request = std::move(request)] {
        Pacing::instance().pause(std::chrono::milliseconds(50));
        const std::string message = FreeRdpExit::message(launcher->run(request));
        if (!message.empty())
            postToGui(owner, [notifier, message] { notifier->notice(kInfoTitle, message); });
    });
}

// The client reads the password as one line into a 512-byte buffer.
bool passwordFits(const std::string &password)
{
    return PasswordProtection::fits(password) && password.size() <= 510;
}

LaunchRequest requestFor(const HostRow &row, const HostAddress &address,
                         const ConnectionSettings &settings, const RemoteConnectionContext &context)
{
    const std::string title = row.name.empty() ? address.host : row.name;
    return {FreeRdpArguments::build(settings, address, title, drivesOf(context)),
            row.password.substr(0, row.password.find('\0')) + "\n"};
}

} // namespace

RemoteConnection::Result RemoteConnection::connectToHost(const HostRow &row,
                                                         const RemoteConnectionContext &context)
{
    if (row.state != kRunning)
        return Result::NotRunning;
    if (row.productType.find(kGpuMark) != std::string::npos)
        context.notifier->notice(kGpuTitle, kGpuNotice);
    const std::optional<HostAddress> address = addressOf(row);
    if (!address)
        return Result::BadAddress;
    if (!passwordFits(row.password)) {
        context.notifier->notice(kInfoTitle, kPasswordTooLong);
        return Result::PasswordTooLong;
    }
    const ConnectionSettings settings =
        loadRemoteSettingsForConnection(configFilePath(context.programDir));
    const std::string text = RdpConnectionFile::fill(
        settings, *address, PasswordProtection(context.keyFile).protect(row.password));
    ensureHistoryDirectory(context.programDir);
    if (!RdpConnectionFile::write(RdpConnectionFile::pathFor(context.programDir, address->host),
                                  text)) {
        context.notifier->notice(kInfoTitle, kWriteFailed);
        return Result::WriteFailed;
    }
    startClient(context, requestFor(row, *address, settings, context));
    return Result::Started;
}

} // namespace cloud
