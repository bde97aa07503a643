#include "app/AccountSettings.h"
#include "app/UpdateSettings.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

class SettingsFiles : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "settings-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string content(const fs::path &file) const
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path m_dir;
};

TEST_F(SettingsFiles, RememberedAccountRoundTrip)
{
    const AccountSettings settings((m_dir / "云.ini").string());
    ASSERT_TRUE(settings.saveAutoSignIn(true));
    ASSERT_TRUE(settings.saveRemember(true, "a1", "p1"));
    EXPECT_EQ(content(settings.path()),
              "[Config]\r\nzdlogin=1\r\nRememberaccount=1\r\nzh=a1\r\nmm=p1\r\n");
    const auto restored = settings.restore();
    EXPECT_TRUE(restored.remember);
    EXPECT_EQ(restored.accountName, "a1");
    EXPECT_EQ(restored.password, "p1");
    EXPECT_TRUE(restored.autoSignIn);
    EXPECT_EQ(fs::status(settings.path()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);

    // Unticking clears the account and the password and keeps the automatic sign-in.
    ASSERT_TRUE(settings.saveRemember(false, "a1", "p1"));
    EXPECT_EQ(content(settings.path()),
              "[Config]\r\nzdlogin=1\r\nRememberaccount=0\r\nzh=\r\nmm=\r\n");
    const auto cleared = settings.restore();
    EXPECT_FALSE(cleared.remember);
    EXPECT_FALSE(cleared.autoSignIn); // not even looked at while remembering is off
}

TEST_F(SettingsFiles, FlagValues)
{
    const std::pair<const char *, bool> flags[] = {{"1", true},    {"01", true}, {"1x", true},
                                                   {"yes", false}, {"0", false}, {"", false},
                                                   {"11", false}};
    const AccountSettings settings((m_dir / "account.ini").string());
    for (const auto &[text, set] : flags) {
        std::ofstream(settings.path())
            << "[Config]\nRememberaccount=" << text << "\nzh=u\nzdlogin=1\n";
        const auto restored = settings.restore();
        EXPECT_EQ(restored.remember, set) << text;
        EXPECT_EQ(restored.autoSignIn, set) << text;
        EXPECT_EQ(restored.accountName, set ? "u" : "") << text;
    }
}

TEST_F(SettingsFiles, UpdateAddress)
{
    const UpdateSettings settings((m_dir / std::string(UpdateSettings::kFileName)).string());
    ASSERT_TRUE(settings.saveApiAddress("http://old/khd?act="));
    ASSERT_TRUE(settings.saveApiAddress("http://api.example/khd?act="));
    EXPECT_EQ(settings.apiAddress(), "http://api.example/khd?act=");
    EXPECT_EQ(content(settings.path()),
              "[\xB8\xFC\xD0\xC2]\r\nAPI\xB5\xD8\xD6\xB7=http://api.example/khd?act=\r\n");
}

} // namespace
