#include "remote/FreeRdpArguments.h"
#include "remote/FreeRdpExit.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace cloud;

namespace {

using Args = std::vector<std::string>;

ConnectionSettings designSettings()
{
    ConnectionSettings s;
    s.values = RemoteDesktopSettings::designDefaults();
    s.width = "800";
    s.height = "600";
    return s;
}

bool has(const Args &args, const std::string &arg)
{
    return std::find(args.begin(), args.end(), arg) != args.end();
}

} // namespace

TEST(FreeRdpArguments, DesignOptions)
{
    const Args args =
        FreeRdpArguments::build(designSettings(), {"1.2.3.4", "3390"}, "香港云-01", {});
    EXPECT_EQ(args, (Args{"/v:1.2.3.4:3390", "/u:administrator", "/from-stdin:force", "/cert:tofu",
                          "/t:香港云-01", "/size:800x600", "/bpp:32", "/floatbar", "+clipboard",
                          "/audio-mode:2", "+auto-reconnect", "-themes"}));
}

TEST(FreeRdpArguments, EveryOptionHasItsSwitch)
{
    ConnectionSettings s = designSettings();
    RemoteDesktopSettings &v = s.values;
    v.windowMode = "0";
    v.colorDepth = "16";
    v.connectionBar = "0";
    v.clipboard = "0";
    v.printers = "1";
    v.smartCards = "1";
    v.audioPlayback = "0";
    v.audioCapture = "1";
    v.reconnect = "0";
    v.compression = "0";
    v.wallpaper = "0";
    v.themes = "1";
    v.keyboardHook = "0";
    v.sessionMode = "1";
    const Args args = FreeRdpArguments::build(s, {"h", "3389"}, "t", {});
    EXPECT_EQ(args,
              (Args{"/v:h:3389", "/u:administrator", "/from-stdin:force", "/cert:tofu", "/t:t",
                    "/f", "/bpp:16", "-clipboard", "/printer", "/smartcard", "/audio-mode:0",
                    "/microphone", "-compression", "-wallpaper", "-grab-keyboard", "/admin"}));
    // Never the switches that would weaken the connection or show the password.
    for (const std::string &arg : args) {
        EXPECT_FALSE(arg.starts_with("/p:")) << arg;
        EXPECT_NE(arg, "/cert:ignore");
        EXPECT_NE(arg, "/cert-ignore");
    }
    v.sessionMode = "0";
    EXPECT_TRUE(has(FreeRdpArguments::build(s, {"h", "1"}, "t", {}), "/admin"));
    v.sessionMode = "2";
    EXPECT_FALSE(has(FreeRdpArguments::build(s, {"h", "1"}, "t", {}), "/admin"));
}

TEST(FreeRdpArguments, SharesTheStoredDrivesThatStillExist)
{
    ConnectionSettings s = designSettings();
    s.values.localDrives = "/;/gone;/data;/srv;";
    const std::vector<DriveEntry> drives = {{"/", "", "ext4"},
                                            {"/data", "Big, Disk", "xfs"},
                                            {"/home", "", "ext4"},
                                            {"/srv", "", "ext4"}};
    Args shares;
    for (const std::string &arg : FreeRdpArguments::build(s, {"h", "1"}, "t", drives)) {
        if (arg.starts_with("/drive:"))
            shares.push_back(arg);
    }
    EXPECT_EQ(shares, (Args{"/drive:root,/", "/drive:Big_ Disk,/data", "/drive:srv,/srv"}));
}

TEST(FreeRdpArguments, ValuesTheClientWouldRejectAreMended)
{
    struct Case
    {
        const char *bits, *bpp;
    };
    for (const Case &c : {Case{"4", "8"}, Case{"8", "8"}, Case{"24", "24"}, Case{"32", "32"},
                          Case{"64", "32"}, Case{"", ""}, Case{"x", ""}})
        EXPECT_EQ(FreeRdpArguments::colorDepth(c.bits), c.bpp) << c.bits;

    ConnectionSettings s = designSettings();
    for (const auto &[w, h] : std::vector<std::pair<std::string, std::string>>{
             {"", "600"}, {"1440", ""}, {"abc", "1"}, {"0", "600"}, {"99999999", "1"}}) {
        s.width = w;
        s.height = h;
        EXPECT_TRUE(has(FreeRdpArguments::build(s, {"h", "1"}, "t", {}), "/size:800x600"))
            << w << h;
    }
    // An empty port is left to the client's own default.
    EXPECT_EQ(FreeRdpArguments::build(s, {"h", ""}, "t", {}).front(), "/v:h");
}

TEST(FreeRdpExit, Meanings)
{
    using K = LaunchOutcome::Kind;
    for (int normal : {0, 1, 2, 11, 145})
        EXPECT_EQ(FreeRdpExit::message({K::Exited, normal}), "") << normal;
    EXPECT_NE(FreeRdpExit::message({K::Exited, 147}).find("无法连接"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Exited, 131}).find("无法连接"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Exited, 134}).find("密码"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Exited, 143}).find("证书"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Exited, 140}).find("找不到"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Exited, 99}).find("代码 99"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::NotFound, 0}).find("freerdp2-x11"), std::string::npos);
    EXPECT_NE(FreeRdpExit::message({K::Signalled, 11}).find("意外终止"), std::string::npos);
    EXPECT_EQ(FreeRdpExit::message({K::Signalled, 15}), "");
    EXPECT_EQ(FreeRdpExit::message({K::Abandoned, 0}), "");
}
