#include "app/IniFile.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "inifile-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
        m_file = (m_dir / "settings.ini").string();
    }

    void TearDown() override
    {
        fs::permissions(m_dir, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(m_dir);
    }

    void put(const std::string &bytes) const { std::ofstream(m_file, std::ios::binary) << bytes; }

    std::string content() const
    {
        std::ifstream in(m_file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    mode_t mode() const
    {
        struct stat st = {};
        ::stat(m_file.c_str(), &st);
        return st.st_mode & 07777;
    }

    std::size_t entries() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(m_dir), {}));
    }

    fs::path m_dir;
    std::string m_file;
};

TEST_F(IniFileTest, ReadsAsThePlatformDoes)
{
    struct Case
    {
        std::string file;
        std::string section;
        std::string key;
        std::string expected;
    };
    const Case cases[] = {
        {"[Config]\r\nzh=a1\r\n", "Config", "zh", "a1"},
        {"[config]\nZH=a1\n", "CONFIG", "Zh", "a1"},
        {"[Config]\nzh=a1", "Config", "zh", "a1"},
        {"  [ Config ]  \n   zh   =  a b  \t\n", "Config", "zh", "a b"},
        {"[Config]\nzh=\"quoted\"\nmm='single'\n", "Config", "zh", "quoted"},
        {"[Config]\nmm='single'\n", "Config", "mm", "single"},
        {"[Config]\nzh=\"half'\n", "Config", "zh", "\"half'"},
        {"[Config]\nzh=\"\n", "Config", "zh", "\""},
        {"[Config]\nzh=a=b\n", "Config", "zh", "a=b"},
        {"[Config]\nzh=\n", "Config", "zh", ""},
        {"[Config]\nzh\n", "Config", "zh", ""},
        {"; comment\n[Config]\n;zh=no\nzh=yes\n", "Config", "zh", "yes"},
        {"[C]\nk=1\nk=2\n[C]\nk=3\n", "C", "k", "1"},
        {"[C]\n[D]\nk=1\n[C]\nk=3\n", "C", "k", ""}, // the first section is the one that counts
        {"k=1\n[C]\n", "C", "k", ""},
        {"[C]\nk=1\n", "D", "k", ""},
        {"[C]\nk=1\n", "C", "x", ""},
        {"[C]\nk=\xD6\xD0\xCE\xC4\n", "C", "k", "中文"},
        {"[\xB8\xFC\xD0\xC2]\r\nAPI\xB5\xD8\xD6\xB7=http://h/khd?act=\r\n", "更新", "API地址",
         "http://h/khd?act="},
        // Names are stripped of leading blanks and control characters before use.
        {"[Config]\nzh=a1\n",
         " \t\x01"
         "Config",
         "\x02 zh ", "a1"},
        {"[Config]\nzh=a1\n", " \t", "zh", ""},
        {"[Config]\nzh=a1\n", "Config", "\x01\x02", ""},
        // Second bytes of double-byte characters: 0x81 0x61 and 0x81 0x41 are two
        // different characters, and 0x81 0x5D is no closing bracket.
        {"[C]\n\x81\x61=wrong\n\x81\x41=right\n", "C", "丄", "right"},
        {"[\x81\x5D\nk=wrong\n[C]\nk=right\n", "C", "k", "right"},
        {std::string("[C]\nk=ab\0cd\n", 12), "C", "k", "ab"},
    };
    for (const Case &c : cases) {
        put(c.file);
        EXPECT_EQ(readIni(m_file, c.section, c.key), c.expected) << c.file;
    }
    EXPECT_EQ(readIni("  \t" + m_file, "C", "k"), "ab");
    EXPECT_EQ(readIni((m_dir / "missing.ini").string(), "C", "k"), "");
    EXPECT_EQ(readIni(m_dir.string(), "C", "k"), "");
}

TEST_F(IniFileTest, ReadStopsAtTheBufferWithoutSplittingACharacter)
{
    const std::string longAscii(20000, 'a');
    ASSERT_TRUE(writeIni(m_file, "C", "k", longAscii));
    EXPECT_EQ(readIni(m_file, "C", "k"), longAscii.substr(0, IniFile::kMaxValueBytes));

    std::string chinese;
    for (int i = 0; i < 6000; ++i)
        chinese += "中";
    ASSERT_TRUE(writeIni(m_file, "C", "k", chinese));
    EXPECT_EQ(readIni(m_file, "C", "k"), chinese.substr(0, 5119 * 3)); // 10238 GBK bytes
    ASSERT_TRUE(writeIni(m_file, "C", "k", "a" + chinese));
    EXPECT_EQ(readIni(m_file, "C", "k"), "a" + chinese.substr(0, 5119 * 3)); // 10239
}

TEST_F(IniFileTest, WriteTouchesOnlyItsLine)
{
    struct Case
    {
        std::string before;
        std::string section;
        std::string key;
        std::string value;
        std::string after;
    };
    const Case cases[] = {
        {"", "Config", "Rememberaccount", "1", "[Config]\r\nRememberaccount=1\r\n"},
        {"; note\n[Config]\nzh=a\n\n[Other]\nk=v\n", "Config", "mm", "p",
         "; note\n[Config]\nzh=a\nmm=p\n\n[Other]\nk=v\n"},
        {"[Config]\r\n  ZH = old \r\nmm=p\r\n", "config", "zh", "new",
         "[Config]\r\nZH=new\r\nmm=p\r\n"},
        {"[Config]\nzh=a", "Config", "mm", "p", "[Config]\nzh=a\nmm=p\n"},
        {"[Config]\nzh=a", "Config", "zh", "", "[Config]\nzh="},
        {"[A]\r\nk=v", "B", "x", "1", "[A]\r\nk=v\r\n[B]\r\nx=1\r\n"},
        {"[C]\nk=1\nk=2\n[C]\nk=3\n", "C", "k", "9", "[C]\nk=9\nk=2\n[C]\nk=3\n"},
        {"[C]\n", "C", "k", "a\r\nzdlogin=1", "[C]\nk=a\n"},
        {"", "更新", "API地址",
         "http://h/khd?act=", "[\xB8\xFC\xD0\xC2]\r\nAPI\xB5\xD8\xD6\xB7=http://h/khd?act=\r\n"},
        {"", "C", "k", "用户名/账号", "[C]\r\nk=\xD3\xC3\xBB\xA7\xC3\xFB/\xD5\xCB\xBA\xC5\r\n"},
    };
    for (const Case &c : cases) {
        fs::remove(m_file);
        if (!c.before.empty())
            put(c.before);
        EXPECT_TRUE(writeIni(m_file, c.section, c.key, c.value)) << c.before;
        EXPECT_EQ(content(), c.after) << c.before;
        EXPECT_EQ(readIni(m_file, c.section, c.key), c.value.substr(0, c.value.find('\r')));
    }
}

TEST_F(IniFileTest, RefusedWritesLeaveNoFile)
{
    const std::pair<std::string, std::string> names[] = {
        {" \t", "k"}, {"C", "\x01"}, {"C\nD", "k"}, {"C", "a=b"}, {"C", "[k]"}};
    for (const auto &[section, key] : names)
        EXPECT_FALSE(writeIni(m_file, section, key, "v")) << section << "/" << key;
    EXPECT_FALSE(writeIni(" ", "C", "k", "v"));
    EXPECT_FALSE(writeIni((m_dir / "no" / "such.ini").string(), "C", "k", "v"));
    EXPECT_FALSE(fs::exists(m_file));
}

// A full disk, as the file size limit shows it: the old file stays whole.
TEST_F(IniFileTest, FailedWriteLeavesTheOldFileWhole)
{
    const std::string old = "[C]\r\nk=old\r\n";
    put(old);
    const std::string big(64 * 1024, 'x');
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit saved = {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeIni(m_file, "C", "k", big);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_FALSE(written);
    EXPECT_EQ(content(), old);
    EXPECT_EQ(entries(), 1u); // no temporary file left behind
}

TEST_F(IniFileTest, ReadOnlyDirectoryLeavesTheOldFileWhole)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "a read-only directory does not stop root";
    const std::string old = "[C]\r\nk=old\r\n";
    put(old);
    fs::permissions(m_dir, fs::perms::owner_write, fs::perm_options::remove);
    EXPECT_FALSE(writeIni(m_file, "C", "k", "new"));
    EXPECT_EQ(content(), old);
}

TEST_F(IniFileTest, PermissionsAreKeptOrTightened)
{
    put("[C]\nk=1\n");
    fs::permissions(m_file, static_cast<fs::perms>(0640));
    ASSERT_TRUE(writeIni(m_file, "C", "k", "2"));
    EXPECT_EQ(mode(), 0640u);

    ASSERT_TRUE(writeIni(m_file, "C", "k", "3", IniAccess::OwnerOnly));
    EXPECT_EQ(mode(), 0600u);

    fs::remove(m_file);
    ASSERT_TRUE(writeIni(m_file, "C", "k", "4", IniAccess::OwnerOnly));
    EXPECT_EQ(mode(), 0600u);
}

TEST_F(IniFileTest, WritesThroughALinkToItsTarget)
{
    const std::string target = (m_dir / "real.ini").string();
    std::ofstream(target) << "[C]\nk=1\n";
    fs::create_symlink(target, m_file);
    ASSERT_TRUE(writeIni(m_file, "C", "k", "2"));
    EXPECT_TRUE(fs::is_symlink(m_file));
    EXPECT_EQ(readIni(target, "C", "k"), "2");
}

TEST_F(IniFileTest, ConcurrentWritersLoseNothing)
{
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([this, t] {
            for (int i = 0; i < 10; ++i)
                writeIni(m_file, "S", "k" + std::to_string(t) + "_" + std::to_string(i), "v");
        });
    }
    for (std::thread &w : writers)
        w.join();
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(readIni(m_file, "S", "k" + std::to_string(t) + "_" + std::to_string(i)), "v");
    }
}

} // namespace
