#include "remote/RdpConnectionFile.h"

#include "RemoteTempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <sys/stat.h>

using namespace cloud;
using cloud::test::RemoteTempDir;

namespace {

// The file's lines by their name (the text before the type prefix).
std::map<std::string, std::string> linesOf(const std::string &text)
{
    std::map<std::string, std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        const std::string line = text.substr(start, end - start);
        lines[line.substr(0, line.find(':'))] = line.substr(line.find(':') + 3);
        start = end + 2;
    }
    return lines;
}

std::map<std::string, std::string> filled(const ConnectionSettings &settings)
{
    return linesOf(RdpConnectionFile::fill(settings, {"1.2.3.4", "3389"}, "AB0"));
}

} // namespace

TEST(RdpConnectionFile, TemplateShape)
{
    const std::string &text = RdpConnectionFile::templateText();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 46); // 47 lines
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 46); // every break is CR LF
    EXPECT_TRUE(text.starts_with("screen mode id:i:%窗口模式%\r\n"));
    EXPECT_TRUE(text.ends_with("\r\nuse redirection server name:i:0"));
}

TEST(RdpConnectionFile, WithoutAnyStoredOption)
{
    RemoteTempDir dir;
    const auto lines = filled(loadRemoteSettingsForConnection(dir.file("config.ini")));
    const std::map<std::string, std::string> expected = {
        {"screen mode id", ""},
        {"desktopwidth", "800"},
        {"desktopheight", "600"},
        {"session bpp", ""},
        {"full address", "1.2.3.4:3389"},
        {"compression", ""},
        {"keyboardhook", ""},
        {"audiomode", ""},
        {"redirectprinters", ""},
        {"redirectcomports", ""},
        {"redirectsmartcards", ""},
        {"displayconnectionbar", "1"},
        {"autoreconnection enabled", "1"},
        {"username", "administrator"},
        {"domain", ""},
        {"password 51", "AB0"},
        {"disable wallpaper", ""},
        {"disable themes", ""},
        {"audiocapturemode", ""},
        {"redirectclipboard", "1"},
        {"drivestoredirect", ""},
        {"devicestoredirect", ""},
    };
    for (const auto &[name, value] : expected)
        EXPECT_EQ(lines.at(name), value) << name;
}

TEST(RdpConnectionFile, OptionsMapIntoTheFile)
{
    ConnectionSettings s;
    s.values = RemoteDesktopSettings::designDefaults();

    // Full screen keeps the stored size.
    s.values.windowMode = "0";
    s.width = "1440";
    s.height = "900";
    auto lines = filled(s);
    EXPECT_EQ(lines.at("screen mode id"), "2");
    EXPECT_EQ(lines.at("desktopwidth"), "1440");
    EXPECT_EQ(lines.at("desktopheight"), "900");

    // Mapping off and on.
    EXPECT_EQ(lines.at("drivestoredirect"), "");
    EXPECT_EQ(lines.at("redirectsmartcards"), "0");
    s.values.driveMapping = s.values.smartCards = "1";
    s.values.localDrives = "/;/home;";
    lines = filled(s);
    EXPECT_EQ(lines.at("drivestoredirect"), "/;/home;");
    EXPECT_EQ(lines.at("redirectsmartcards"), "1");
    EXPECT_EQ(lines.at("redirectdrives"), "0");

    // Background and theme are shown as "disable" values.
    struct Case
    {
        const char *stored, *written;
    };
    for (const Case &c : {Case{"1", "0"}, Case{"0", "1"}, Case{"7", "7"}, Case{"", ""}}) {
        s.values.wallpaper = s.values.themes = c.stored;
        lines = filled(s);
        EXPECT_EQ(lines.at("disable wallpaper"), c.written) << c.stored;
        EXPECT_EQ(lines.at("disable themes"), c.written) << c.stored;
    }
    for (const Case &c : {Case{"1", "1"}, Case{"0", "2"}, Case{"x", "x"}})
        EXPECT_EQ(RdpConnectionFile::screenMode(c.stored), c.written);
}

TEST(RdpConnectionFile, BytesOnDiskMatchTheFixture)
{
    ConnectionSettings s;
    RemoteDesktopSettings &v = s.values;
    v.windowMode = "0";
    v.windowSize = "1280×800";
    v.colorDepth = "24";
    v.localDrives = "/;/数据;";
    v.clipboard = "0";
    v.printers = "1";
    v.serialPorts = "0";
    v.smartCards = "1";
    v.reconnect = "1";
    v.compression = "1";
    v.connectionBar = "0";
    v.wallpaper = "0";
    v.themes = "1";
    v.pnpDevices = "1";
    v.audioCapture = "1";
    v.audioPlayback = "0";
    v.keyboardHook = "1";
    s.width = "1280";
    s.height = "800";

    RemoteTempDir dir;
    const std::string path = dir.file("203.0.113.7.rdp");
    ASSERT_TRUE(RdpConnectionFile::write(
        path, RdpConnectionFile::fill(s, {"203.0.113.7", "3390"}, "0A1B0")));
    EXPECT_EQ(RemoteTempDir::bytesOf(path),
              RemoteTempDir::bytesOf(CLOUD_SOURCE_DIR "/tests/gui/data/connection.rdp"));
    struct stat st = {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u); // it carries the protected password

    // Writing again replaces the file whole.
    ASSERT_TRUE(RdpConnectionFile::write(path, "x"));
    EXPECT_EQ(RemoteTempDir::bytesOf(path), "x");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(RdpConnectionFile, HostNamesStayInsideHistory)
{
    struct Case
    {
        const char *host, *name;
    };
    const Case cases[] = {
        {"1.2.3.4", "1.2.3.4.rdp"},
        {"host.example.com", "host.example.com.rdp"},
        {"../../etc/passwd", "etcpasswd.rdp"},
        {"..\\..\\x", "x.rdp"},
        {"....", ".rdp"},
        {".../", "..rdp"},
        {"/abs/path", "abspath.rdp"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RdpConnectionFile::fileName(c.host), c.name) << c.host;
    EXPECT_EQ(RdpConnectionFile::pathFor("/opt/client", "1.2.3.4"),
              "/opt/client/History/1.2.3.4.rdp");
}
