#include "remote/FreeRdpExit.h"

#include "remote/XfreerdpLauncher.h"

#include <csignal>

namespace cloud {

namespace {

std::string withCode(const std::string &text, int code)
{
    return text + "（代码 " + std::to_string(code) + "）。";
}

const char *kConnectFailed = "无法连接到远程主机，请检查网络以及主机是否正在运行。";
const char *kLogonFailed = "登录远程主机失败：用户名或密码不正确，请确认主机密码后再连接。";

// The client's exit codes: 0-15 reasons the server gave for ending the session,
// 16-31 licensing, 128 and up the client's own connection failures.
const char *meaningOf(int code)
{
    switch (code) {
    case 0:   // closed
    case 1:   // disconnected
    case 2:   // logged off
    case 11:  // disconnected by the user
    case 145: // cancelled by the user
        return "";
    case 3:
        return "远程会话因长时间空闲被断开。";
    case 4:
        return "远程登录超时，会话已断开。";
    case 5:
        return "远程会话已被另一个连接替代。";
    case 7:
        return "远程主机拒绝了本次连接。";
    case 9:
    case 144:
    case 155:
    case 156:
    case 158:
        return "该账户没有登录远程主机的权限。";
    case 128:
        return "远程桌面程序不接受本次连接的参数。";
    case 131:
    case 133:
    case 136:
    case 137:
    case 138:
    case 141:
    case 142:
    case 147:
        return kConnectFailed;
    case 139:
    case 140:
        return "找不到远程主机的地址，请检查网络连接。";
    case 132:
    case 134:
    case 154:
    case 159:
        return kLogonFailed;
    case 135:
        return "远程主机上的账户已被锁定。";
    case 151:
        return "远程主机上的账户已被停用。";
    case 148:
    case 149:
    case 152:
    case 157:
        return "远程主机上的账户密码已过期，请先修改主机密码。";
    case 143:
        return "远程主机的证书与上次连接时记录的不同，为安全起见已拒绝连接。"
               "如果主机刚重装过系统，请确认后删除 ~/.config/freerdp/known_hosts2 "
               "中该主机的记录再连接。";
    default:
        break;
    }
    if (code >= 16 && code <= 26)
        return "远程主机的远程桌面授权出错，连接已断开。";
    return nullptr;
}

} // namespace

std::string FreeRdpExit::exitCodeMeaning(int code)
{
    const char *meaning = meaningOf(code);
    if (!meaning)
        return withCode("远程桌面程序异常退出", code);
    return meaning;
}

std::string FreeRdpExit::message(const LaunchOutcome &outcome)
{
    switch (outcome.kind) {
    case LaunchOutcome::Kind::Exited:
        return exitCodeMeaning(outcome.code);
    case LaunchOutcome::Kind::Signalled:
        // Ended from outside (the user's session ending, a kill): nothing went wrong here.
        if (outcome.code == SIGTERM || outcome.code == SIGHUP || outcome.code == SIGINT ||
            outcome.code == SIGKILL)
            return {};
        return withCode("远程桌面程序意外终止", outcome.code);
    case LaunchOutcome::Kind::NotFound:
        return std::string("未找到远程桌面程序 ") + XfreerdpLauncher::kProgram +
               "，请先安装软件包 " + XfreerdpLauncher::kPackage + "（例如：sudo apt install " +
               XfreerdpLauncher::kPackage + "）后再连接。";
    case LaunchOutcome::Kind::StartFailed:
        return std::string("无法启动远程桌面程序 ") + XfreerdpLauncher::kProgram + "。";
    case LaunchOutcome::Kind::Abandoned:
        break;
    }
    return {};
}

} // namespace cloud
