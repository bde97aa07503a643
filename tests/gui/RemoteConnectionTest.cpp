#include "remote/RemoteConnection.h"

#include "RemoteGuiApp.h"
#include "RemoteTempDir.h"
#include "app/Pacing.h"
#include "platform/PasswordProtection.h"
#include "remote/RemoteDesktopSettings.h"
#include "remote/XfreerdpLauncher.h"
#include "ui/Workers.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

using namespace cloud;
using cloud::test::RemoteTempDir;
namespace fs = std::filesystem;

namespace {

using Notice = std::pair<std::string, std::string>;

class RecordingLauncher : public RemoteDesktopLauncher
{
public:
    LaunchOutcome run(const LaunchRequest &request) override
    {
        std::lock_guard lock(mutex);
        requests.push_back(request);
        return outcome;
    }
    std::mutex mutex;
    std::vector<LaunchRequest> requests;
    LaunchOutcome outcome;
};

class RecordingNotifier : public RemoteNotifier
{
public:
    void notice(const std::string &title, const std::string &text) override
    {
        notices.emplace_back(title, text);
    }
    std::vector<Notice> notices;
};

class RemoteConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        cloud::test::remoteGuiApp();
        Pacing::install(std::make_shared<InstantPacing>());
        fs::create_directories(dir.path() / "History");
        context.programDir = dir.path().string();
        context.keyFile = dir.file("key/rdp.key");
        context.launcher = launcher;
        context.notifier = notifier;
        context.drives = [] { return std::vector<DriveEntry>{{"/", "", "ext4"}}; };
        context.owner = &owner;
    }
    void TearDown() override
    {
        Workers::resetForTests();
        Pacing::install(nullptr);
    }

    // Lets the workers end and their messages arrive.
    void settle()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (Workers::running() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        QCoreApplication::processEvents();
    }

    static HostRow running(const std::string &address)
    {
        return HostRow{"标准型", "hk-01", address, "运行中", "42", "Pa55!"};
    }

    RemoteConnection::Result connect(const HostRow &row)
    {
        const RemoteConnection::Result result = RemoteConnection::connectToHost(row, context);
        settle();
        return result;
    }

    std::vector<std::string> historyFiles() const
    {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(dir.path() / "History"))
            names.push_back(entry.path().filename().string());
        return names;
    }

    RemoteTempDir dir;
    QObject owner;
    std::shared_ptr<RecordingLauncher> launcher = std::make_shared<RecordingLauncher>();
    std::shared_ptr<RecordingNotifier> notifier = std::make_shared<RecordingNotifier>();
    RemoteConnectionContext context;
};

std::string lineOf(const std::string &fileBytes, const std::string &name)
{
    const std::size_t start = fileBytes.find("\r\n" + name + ":");
    if (start == std::string::npos)
        return {};
    const std::size_t end = fileBytes.find("\r\n", start + 2);
    return fileBytes.substr(start + 2, end - start - 2);
}

} // namespace

TEST_F(RemoteConnectionTest, AddressCases)
{
    struct Case
    {
        std::string address;
        RemoteConnection::Result result;
        std::string file, fullAddress, server;
    };
    using R = RemoteConnection::Result;
    const Case cases[] = {
        {"1.2.3.4:3390", R::Started, "1.2.3.4.rdp", "full address:s:1.2.3.4:3390",
         "/v:1.2.3.4:3390"},
        {"1.2.3.4", R::Started, "1.2.3.4.rdp", "full address:s:1.2.3.4:3389", "/v:1.2.3.4:3389"},
        {"fe80::1", R::BadAddress, "", "", ""},
        {"a:1:2", R::BadAddress, "", "", ""},
        {"1.2.3.4:3389\r\nalternate shell:s:cmd", R::BadAddress, "", "", ""},
        {"../../../tmp/evil:3389", R::Started, "tmpevil.rdp",
         "full address:s:../../../tmp/evil:3389", "/v:../../../tmp/evil:3389"},
    };
    for (const Case &c : cases) {
        fs::remove_all(dir.path() / "History");
        fs::create_directories(dir.path() / "History");
        launcher->requests.clear();
        EXPECT_EQ(connect(running(c.address)), c.result) << c.address;
        if (c.result != R::Started) {
            EXPECT_TRUE(historyFiles().empty()) << c.address;
            EXPECT_TRUE(launcher->requests.empty()) << c.address;
            continue;
        }
        EXPECT_EQ(historyFiles(), std::vector<std::string>{c.file});
        const std::string bytes = RemoteTempDir::bytesOf(dir.path() / "History" / c.file);
        EXPECT_EQ(lineOf(bytes, "full address"), c.fullAddress);
        ASSERT_EQ(launcher->requests.size(), 1u);
        EXPECT_EQ(launcher->requests[0].arguments.front(), c.server);
    }
    EXPECT_TRUE(notifier->notices.empty()); // none of these says anything
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2); // History and the key
}

TEST_F(RemoteConnectionTest, OnlyARunningHostIsConnected)
{
    // Column 3 already carries the shown state, a `zt` text included.
    for (const std::string state : {"已到期", "维护中", "运行中 ", "", "关机"}) {
        HostRow row = running("1.2.3.4");
        row.state = state;
        row.productType = "显卡型"; // not even the GPU notice
        EXPECT_EQ(connect(row), RemoteConnection::Result::NotRunning) << state;
    }
    EXPECT_TRUE(historyFiles().empty());
    EXPECT_TRUE(launcher->requests.empty());
    EXPECT_TRUE(notifier->notices.empty());
}

TEST_F(RemoteConnectionTest, GpuHostShowsTheNoticeAndConnects)
{
    HostRow row = running("5.6.7.8");
    row.productType = "GPU显卡云服务器";
    EXPECT_EQ(connect(row), RemoteConnection::Result::Started);
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_EQ(notifier->notices[0].first, "提示");
    EXPECT_EQ(notifier->notices[0].second,
              "检测到您远程的机器为显卡机器，此远程桌面为临时远程，请使用向日葵\\TD等方式远程"
              "（使用临时远程后一定要重启，否则会导致显卡功能不生效）");
    EXPECT_EQ(launcher->requests.size(), 1u);
}

TEST_F(RemoteConnectionTest, FileCarriesTheStoredOptionsAndTheProtectedPassword)
{
    RemoteDesktopSettings stored = RemoteDesktopSettings::designDefaults();
    stored.windowMode = "0";
    stored.windowSize = "1440×900";
    stored.localDrives = "/;";
    stored.driveMapping = stored.smartCards = "1";
    saveRemoteSettings(configFilePath(context.programDir), stored);

    ASSERT_EQ(connect(running("9.9.9.9:4000")), RemoteConnection::Result::Started);
    const fs::path file = dir.path() / "History" / "9.9.9.9.rdp";
    const std::string bytes = RemoteTempDir::bytesOf(file);
    EXPECT_TRUE(bytes.starts_with("screen mode id:i:2\r\ndesktopwidth:i:1440\r\n"));
    EXPECT_EQ(lineOf(bytes, "drivestoredirect"), "drivestoredirect:s:/;");
    const std::string password = lineOf(bytes, "password 51").substr(14);
    EXPECT_EQ(password.size() % 2, 1u);
    EXPECT_EQ(PasswordProtection(context.keyFile).unprotect(password), "Pa55!");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    ASSERT_EQ(launcher->requests.size(), 1u);
    const LaunchRequest &request = launcher->requests[0];
    EXPECT_EQ(request.standardInput, "Pa55!\n");
    const auto &args = request.arguments;
    EXPECT_NE(std::find(args.begin(), args.end(), "/f"), args.end());
    EXPECT_NE(std::find(args.begin(), args.end(), "/drive:root,/"), args.end());
    EXPECT_NE(std::find(args.begin(), args.end(), "/t:hk-01"), args.end());
    for (const std::string &arg : args)
        EXPECT_EQ(arg.find("Pa55!"), std::string::npos) << arg;
}

TEST_F(RemoteConnectionTest, RefusalsAreExplained)
{
    HostRow row = running("1.2.3.4");
    row.password = std::string(256, 'p');
    EXPECT_EQ(connect(row), RemoteConnection::Result::PasswordTooLong);
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_EQ(notifier->notices[0].first, "信息：");
    EXPECT_NE(notifier->notices[0].second.find("密码过长"), std::string::npos);

    // History is in the way as a file: the file cannot be written.
    fs::remove_all(dir.path() / "History");
    std::ofstream(dir.path() / "History") << "";
    EXPECT_EQ(connect(running("1.2.3.4")), RemoteConnection::Result::WriteFailed);
    ASSERT_EQ(notifier->notices.size(), 2u);
    EXPECT_EQ(notifier->notices[1],
              Notice("信息：", "写入RDP文件失败，请确保软件未被杀毒软件拦截或者软件已经解压"));
    EXPECT_TRUE(launcher->requests.empty());
}

TEST_F(RemoteConnectionTest, ClientEndIsReportedWhenItMeansSomething)
{
    launcher->outcome = {LaunchOutcome::Kind::Exited, 0};
    connect(running("1.2.3.4"));
    EXPECT_TRUE(notifier->notices.empty());

    launcher->outcome = {LaunchOutcome::Kind::Exited, 143};
    connect(running("1.2.3.4"));
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_NE(notifier->notices[0].second.find("证书"), std::string::npos);

    // A window that is gone gets no message.
    launcher->outcome = {LaunchOutcome::Kind::NotFound, 0};
    {
        QObject shortLived;
        context.owner = &shortLived;
        RemoteConnection::connectToHost(running("1.2.3.4"), context);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (Workers::running() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(notifier->notices.size(), 1u);
}

// The real launcher, with a stand-in for xfreerdp on PATH that records its
// arguments and its standard input.
class XfreerdpOnPathTest : public RemoteConnectionTest
{
protected:
    void SetUp() override
    {
        RemoteConnectionTest::SetUp();
        const char *path = std::getenv("PATH");
        savedPath = path ? path : "";
        fs::create_directories(dir.path() / "bin");
        context.launcher = std::make_shared<XfreerdpLauncher>();
    }
    void TearDown() override
    {
        ::setenv("PATH", savedPath.c_str(), 1);
        RemoteConnectionTest::TearDown();
    }

    void installStandIn(int exitCode)
    {
        const fs::path script = dir.path() / "bin" / "xfreerdp";
        std::ofstream(script) << "#!/bin/sh\n"
                              << "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \""
                              << dir.file("argv") << "\"\n"
                              << "cat > \"" << dir.file("stdin") << "\"\n"
                              << "exit " << exitCode << "\n";
        fs::permissions(script, fs::perms::owner_all);
        ::setenv("PATH", ((dir.path() / "bin").string() + ":" + savedPath).c_str(), 1);
    }

    std::string savedPath;
};

TEST_F(XfreerdpOnPathTest, ArgumentsAndPasswordReachTheClient)
{
    installStandIn(134);
    HostRow row = running("10.0.0.5:3390");
    row.password = "pa ss;'\"$x";
    ASSERT_EQ(connect(row), RemoteConnection::Result::Started);
    // No config.ini: only the connection defaults (size, bar, clipboard, reconnection) show.
    EXPECT_EQ(RemoteTempDir::bytesOf(dir.file("argv")),
              "/v:10.0.0.5:3390\n/u:administrator\n/from-stdin:force\n/cert:tofu\n/t:hk-01\n"
              "/size:800x600\n/floatbar\n+clipboard\n+auto-reconnect\n");
    EXPECT_EQ(RemoteTempDir::bytesOf(dir.file("stdin")), "pa ss;'\"$x\n");
    // 134 is a failed logon.
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_NE(notifier->notices[0].second.find("登录远程主机失败"), std::string::npos);
}

TEST_F(XfreerdpOnPathTest, MissingClientNamesThePackage)
{
    ::setenv("PATH", (dir.path() / "bin").string().c_str(), 1); // empty: no xfreerdp
    ASSERT_EQ(connect(running("10.0.0.5")), RemoteConnection::Result::Started);
    ASSERT_EQ(notifier->notices.size(), 1u);
    EXPECT_EQ(notifier->notices[0].first, "信息：");
    EXPECT_NE(notifier->notices[0].second.find("freerdp2-x11"), std::string::npos);
}
