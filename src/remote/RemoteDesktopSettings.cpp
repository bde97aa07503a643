#include "remote/RemoteDesktopSettings.h"

#include "app/IniFile.h"

#include <filesystem>

namespace cloud {

namespace {

constexpr std::string_view kSection = "RDP";
constexpr std::string_view kTimes = "×";

using S = RemoteDesktopSettings;

std::string read(const std::string &file, const char *key)
{
    return readIni(file, kSection, key);
}

std::string orOne(std::string value)
{
    return value.empty() ? std::string("1") : value;
}

} // namespace

const std::array<RemoteDesktopSettings::Key, 19> &RemoteDesktopSettings::keys()
{
    static const std::array<Key, 19> table = {{
        {"窗口模式", &S::windowMode},    {"窗口数据", &S::windowSize},
        {"监视器颜色", &S::colorDepth},  {"磁盘映射", &S::driveMapping},
        {"本地驱动器", &S::localDrives}, {"剪贴板", &S::clipboard},
        {"打印机", &S::printers},        {"串行口", &S::serialPorts},
        {"智能卡", &S::smartCards},      {"重连", &S::reconnect},
        {"强制模式", &S::sessionMode},   {"压缩", &S::compression},
        {"全屏栏", &S::connectionBar},   {"桌面背景", &S::wallpaper},
        {"桌面主题", &S::themes},        {"PnP设备", &S::pnpDevices},
        {"录音", &S::audioCapture},      {"音频播放", &S::audioPlayback},
        {"组合键", &S::keyboardHook},
    }};
    return table;
}

RemoteDesktopSettings RemoteDesktopSettings::designDefaults()
{
    RemoteDesktopSettings s;
    s.windowMode = "1";
    s.windowSize = "800×600";
    s.colorDepth = "32";
    s.driveMapping = "0";
    s.clipboard = "1";
    s.printers = "0";
    s.serialPorts = "0";
    s.smartCards = "0";
    s.reconnect = "1";
    s.sessionMode = "2";
    s.compression = "1";
    s.connectionBar = "1";
    s.wallpaper = "1";
    s.themes = "0";
    s.pnpDevices = "0";
    s.audioCapture = "0";
    s.audioPlayback = "2";
    s.keyboardHook = "2";
    return s;
}

std::string configFilePath(const std::string &programDir)
{
    return programDir + "/config.ini";
}

std::pair<std::string, std::string> windowDimensions(std::string_view windowSize)
{
    const std::size_t first = windowSize.find(kTimes);
    if (first == std::string_view::npos)
        return {"800", "600"};
    const std::string_view rest = windowSize.substr(first + kTimes.size());
    return {std::string(windowSize.substr(0, first)),
            std::string(rest.substr(0, rest.find(kTimes)))};
}

ConnectionSettings loadRemoteSettingsForConnection(const std::string &configFile)
{
    ConnectionSettings c;
    for (const RemoteDesktopSettings::Key &key : RemoteDesktopSettings::keys()) {
        if (key.value != &S::driveMapping)
            c.values.*key.value = read(configFile, key.name);
    }
    c.values.clipboard = orOne(c.values.clipboard);
    c.values.reconnect = orOne(c.values.reconnect);
    c.values.connectionBar = orOne(c.values.connectionBar);
    std::tie(c.width, c.height) = windowDimensions(c.values.windowSize);
    return c;
}

std::optional<RemoteDesktopSettings> loadStoredRemoteSettings(const std::string &configFile)
{
    std::error_code error;
    if (!std::filesystem::exists(configFile, error))
        return std::nullopt;
    RemoteDesktopSettings stored;
    for (const RemoteDesktopSettings::Key &key : RemoteDesktopSettings::keys())
        stored.*key.value = read(configFile, key.name);
    return stored;
}

bool saveRemoteSettings(const std::string &configFile, const RemoteDesktopSettings &values)
{
    bool ok = true;
    for (const RemoteDesktopSettings::Key &key : RemoteDesktopSettings::keys())
        ok = writeIni(configFile, kSection, key.name, values.*key.value) && ok;
    return ok;
}

} // namespace cloud
