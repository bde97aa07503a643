#include "remote/RdpConnectionFile.h"

#include "app/ProgramPaths.h"
#include "data/Gbk.h"
#include "data/TextUtil.h"
#include "platform/AtomicFile.h"

#include <cstdlib>
#include <utility>
#include <vector>

namespace cloud {

namespace {

constexpr const char *kLines[] = {
    "screen mode id:i:%窗口模式%",
    "desktopwidth:i:%窗口宽度%",
    "desktopheight:i:%窗口高度%",
    "session bpp:i:%监视器颜色%",
    "winposstr:s:2,3,0,0,900,700",
    "full address:s:%服务器地址%",
    "compression:i:%压缩%",
    "keyboardhook:i:%组合键%",
    "audiomode:i:%音频播放%",
    "redirectdrives:i:0",
    "redirectprinters:i:%打印机%",
    "redirectcomports:i:%串行口%",
    "redirectsmartcards:i:%智能卡%",
    "displayconnectionbar:i:%全屏栏%",
    "autoreconnection enabled:i:%重连%",
    "username:s:%账号%",
    "domain:s:%域%",
    "alternate shell:s:",
    "shell working directory:s:",
    "password 51:b:%密码%",
    "disable wallpaper:i:%桌面背景%",
    "disable full window drag:i:1",
    "disable menu anims:i:1",
    "disable themes:i:%桌面主题%",
    "disable cursor setting:i:0",
    "bitmapcachepersistenable:i:1",
    "use multimon:i:0",
    "audiocapturemode:i:%录音%",
    "videoplaybackmode:i:1",
    "connection type:i:2",
    "allow font smoothing:i:0",
    "allow desktop composition:i:0",
    "redirectclipboard:i:%剪贴板%",
    "redirectposdevices:i:0",
    "redirectdirectx:i:1",
    "drivestoredirect:s:%映射磁盘%",
    "devicestoredirect:s:%PnP设备%",
    "authentication level:i:0",
    "prompt for credentials:i:0",
    "negotiate security layer:i:1",
    "remoteapplicationmode:i:0",
    "gatewayhostname:s:",
    "gatewayusagemethod:i:4",
    "gatewaycredentialssource:i:4",
    "gatewayprofileusagemethod:i:0",
    "promptcredentialonce:i:1",
    "use redirection server name:i:0",
};

} // namespace

const std::string &RdpConnectionFile::templateText()
{
    static const std::string text = [] {
        std::string joined;
        for (const char *line : kLines) {
            if (!joined.empty())
                joined += "\r\n";
            joined += line;
        }
        return joined;
    }();
    return text;
}

std::string RdpConnectionFile::screenMode(std::string_view windowMode)
{
    return windowMode == "0" ? "2" : std::string(windowMode);
}

std::string RdpConnectionFile::inverted(std::string_view flag)
{
    if (flag == "1")
        return "0";
    if (flag == "0")
        return "1";
    return std::string(flag);
}

std::string RdpConnectionFile::fill(const ConnectionSettings &settings, const HostAddress &address,
                                    std::string_view protectedPassword)
{
    const RemoteDesktopSettings &v = settings.values;
    const std::pair<const char *, std::string> replacements[] = {
        {"%服务器地址%", address.host + ":" + address.port},
        {"%账号%", "administrator"},
        {"%密码%", std::string(protectedPassword)},
        {"%域%", ""},
        {"%窗口模式%", screenMode(v.windowMode)},
        {"%窗口宽度%", settings.width},
        {"%窗口高度%", settings.height},
        {"%监视器颜色%", v.colorDepth},
        {"%压缩%", v.compression},
        {"%组合键%", v.keyboardHook},
        {"%音频播放%", v.audioPlayback},
        {"%打印机%", v.printers},
        {"%串行口%", v.serialPorts},
        {"%智能卡%", v.smartCards},
        {"%映射磁盘%", v.localDrives},
        {"%PnP设备%", v.pnpDevices},
        {"%剪贴板%", v.clipboard},
        {"%录音%", v.audioCapture},
        {"%全屏栏%", v.connectionBar},
        {"%重连%", v.reconnect},
        {"%桌面背景%", inverted(v.wallpaper)},
        {"%桌面主题%", inverted(v.themes)},
    };
    std::string text = templateText();
    for (const auto &[placeholder, value] : replacements)
        text = replaceAll(text, placeholder, value);
    return text;
}

std::string RdpConnectionFile::fileName(std::string_view host)
{
    std::string name;
    for (char c : host) {
        if (c != '/' && c != '\\' && c != '\0')
            name += c;
    }
    for (std::string shorter = replaceAll(name, "..", ""); shorter != name;
         shorter = replaceAll(name, "..", ""))
        name = shorter;
    return name + ".rdp";
}

std::string RdpConnectionFile::pathFor(const std::string &programDir, std::string_view host)
{
    return historyDirectory(programDir) + "/" + fileName(host);
}

bool RdpConnectionFile::write(const std::string &path, std::string_view text)
{
    return replaceFileAtomically(path, utf8ToGbk(text), 0600);
}

} // namespace cloud
