#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// The remote desktop options, kept as the texts stored in section "RDP" of
// config.ini in the program directory. Nothing else keeps them: the settings
// window loads them when it opens and stores them all when it closes, and every
// connection reads them anew, so a change applies from the next connection on.
struct RemoteDesktopSettings
{
    std::string windowMode;    // 窗口模式: "1" in a window, "0" full screen
    std::string windowSize;    // 窗口数据: width × height, such as "800×600"
    std::string colorDepth;    // 监视器颜色: bits per pixel
    std::string driveMapping;  // 磁盘映射
    std::string localDrives;   // 本地驱动器: drive names, each followed by ";"
    std::string clipboard;     // 剪贴板
    std::string printers;      // 打印机
    std::string serialPorts;   // 串行口
    std::string smartCards;    // 智能卡: always stored equal to 磁盘映射
    std::string reconnect;     // 重连
    std::string sessionMode;   // 强制模式: "0" administrator, "1" console, "2" neither
    std::string compression;   // 压缩
    std::string connectionBar; // 全屏栏
    std::string wallpaper;     // 桌面背景: "1" shows the remote background
    std::string themes;        // 桌面主题: "1" shows the remote theme
    std::string pnpDevices;    // PnP设备
    std::string audioCapture;  // 录音
    std::string audioPlayback; // 音频播放: "0" here, "1" on the remote computer, "2" not at all
    std::string keyboardHook;  // 组合键: "0" local, "1" remote, "2" only in full screen

    struct Key
    {
        const char *name;
        std::string RemoteDesktopSettings::*value;
    };
    // The 19 keys in the order they are written.
    static const std::array<Key, 19> &keys();

    // What the settings window shows before anything is stored.
    static RemoteDesktopSettings designDefaults();

    bool operator==(const RemoteDesktopSettings &) const = default;
};

// The options as a connection uses them: empty 剪贴板, 重连 and 全屏栏 mean "1", and
// the window size split into width and height.
struct ConnectionSettings
{
    RemoteDesktopSettings values;
    std::string width;
    std::string height;
};

// The program directory followed by "/config.ini".
std::string configFilePath(const std::string &programDir);

// Width and height from a 窗口数据 text: split at every ×, the first piece is the
// width and the second the height. Empty text, or text without ×, gives 800 by 600.
std::pair<std::string, std::string> windowDimensions(std::string_view windowSize);

// Reads every key but 磁盘映射 and applies the connection defaults. A missing file
// or key reads as empty text.
ConnectionSettings loadRemoteSettingsForConnection(const std::string &configFile);

// The stored texts as they are (empty for a missing key), or nothing when the file
// does not exist.
std::optional<RemoteDesktopSettings> loadStoredRemoteSettings(const std::string &configFile);

// Writes the 19 keys in their order. False when a write failed.
bool saveRemoteSettings(const std::string &configFile, const RemoteDesktopSettings &values);

} // namespace cloud
