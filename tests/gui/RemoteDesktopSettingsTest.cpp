#include "remote/RemoteDesktopSettings.h"

#include "RemoteTempDir.h"
#include "app/IniFile.h"
#include "data/Gbk.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace cloud;
using cloud::test::RemoteTempDir;

namespace {

std::vector<std::string> keyOrder(const std::string &fileBytes)
{
    std::vector<std::string> keys;
    std::istringstream lines(gbkToUtf8(fileBytes));
    std::string line;
    while (std::getline(lines, line)) {
        if (const std::size_t eq = line.find('='); eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    }
    return keys;
}

} // namespace

TEST(RemoteDesktopSettings, SavesTheNineteenKeysInOrderAsGbk)
{
    RemoteTempDir dir;
    const std::string config = configFilePath(dir.path().string());
    EXPECT_EQ(config, dir.path().string() + "/config.ini");
    ASSERT_TRUE(saveRemoteSettings(config, RemoteDesktopSettings::designDefaults()));

    const std::string bytes = RemoteTempDir::bytesOf(config);
    EXPECT_EQ(keyOrder(bytes),
              (std::vector<std::string>{"窗口模式", "窗口数据", "监视器颜色", "磁盘映射",
                                        "本地驱动器", "剪贴板", "打印机", "串行口", "智能卡",
                                        "重连", "强制模式", "压缩", "全屏栏", "桌面背景",
                                        "桌面主题", "PnP设备", "录音", "音频播放", "组合键"}));
    // The size's × is the GBK character A1 C1.
    EXPECT_NE(bytes.find("800\xA1\xC1"
                         "600"),
              std::string::npos);
    EXPECT_EQ(loadStoredRemoteSettings(config), RemoteDesktopSettings::designDefaults());
}

TEST(RemoteDesktopSettings, ConnectionDefaultsWithoutAFile)
{
    RemoteTempDir dir;
    EXPECT_EQ(loadStoredRemoteSettings(dir.file("config.ini")), std::nullopt);

    const ConnectionSettings c = loadRemoteSettingsForConnection(dir.file("config.ini"));
    RemoteDesktopSettings expected;
    expected.clipboard = "1";
    expected.reconnect = "1";
    expected.connectionBar = "1";
    EXPECT_EQ(c.values, expected);
    EXPECT_EQ(c.width, "800");
    EXPECT_EQ(c.height, "600");
}

TEST(RemoteDesktopSettings, ConnectionReadsTheFileAnewAndSkipsTheMappingSwitch)
{
    RemoteTempDir dir;
    const std::string config = dir.file("config.ini");
    RemoteDesktopSettings stored = RemoteDesktopSettings::designDefaults();
    stored.windowMode = "0";
    stored.windowSize = "1440×900";
    stored.clipboard = "0";
    stored.driveMapping = "1";
    stored.localDrives = "/;/home;";
    saveRemoteSettings(config, stored);

    ConnectionSettings c = loadRemoteSettingsForConnection(config);
    EXPECT_EQ(c.values.windowMode, "0");
    EXPECT_EQ(c.width, "1440");
    EXPECT_EQ(c.height, "900");
    EXPECT_EQ(c.values.clipboard, "0"); // only empty becomes "1"
    EXPECT_EQ(c.values.localDrives, "/;/home;");
    EXPECT_EQ(c.values.driveMapping, ""); // a connection does not read it

    writeIni(config, "RDP", "窗口数据", "1024×768");
    writeIni(config, "RDP", "重连", "");
    c = loadRemoteSettingsForConnection(config);
    EXPECT_EQ(c.width, "1024");
    EXPECT_EQ(c.values.reconnect, "1");
}

TEST(RemoteDesktopSettings, SizeRule)
{
    struct Case
    {
        const char *text, *width, *height;
    };
    const Case cases[] = {
        {"", "800", "600"},         {"1680×1050", "1680", "1050"},
        {"1024x768", "800", "600"}, // an ASCII x is no ×: the usual size stands in
        {"abc", "800", "600"},      {"×600", "", "600"},
        {"1440×", "1440", ""},      {"1×2×3", "1", "2"}, // first and second piece
    };
    for (const Case &c : cases) {
        const auto [width, height] = windowDimensions(c.text);
        EXPECT_EQ(width, c.width) << c.text;
        EXPECT_EQ(height, c.height) << c.text;
    }
}
