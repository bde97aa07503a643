#include "platform/PasswordProtection.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <thread>
#include <vector>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

class PasswordProtectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "protect-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root = pattern;
        keyFile = (root / "share" / "cloudclient" / "rdp.key").string();
    }
    void TearDown() override { fs::remove_all(root); }

    static mode_t mode(const fs::path &path)
    {
        struct stat st = {};
        ::stat(path.c_str(), &st);
        return st.st_mode & 07777;
    }

    fs::path root;
    std::string keyFile;
};

bool isUpperHex(const std::string &text)
{
    return text.find_first_not_of("0123456789ABCDEF") == std::string::npos;
}

} // namespace

TEST_F(PasswordProtectionTest, TextFormAndRoundTrip)
{
    const PasswordProtection protection(keyFile);
    for (const std::string &password :
         std::vector<std::string>{"", "Pa55w0rd!", "密码123", std::string(255, 'x')}) {
        const std::string text = protection.protect(password);
        // The whole 512-byte buffer is sealed: version, nonce, buffer, tag, then "0".
        EXPECT_EQ(text.size(), 2 * (1 + 12 + 512 + 16) + 1u);
        EXPECT_EQ(text.size() % 2, 1u);
        EXPECT_EQ(text.back(), '0');
        EXPECT_TRUE(isUpperHex(text));
        EXPECT_EQ(protection.unprotect(text), password);
    }
    // A fresh nonce every time: the same password never gives the same text.
    EXPECT_NE(protection.protect("same"), protection.protect("same"));
}

TEST_F(PasswordProtectionTest, KeyFileBelongsToTheOwnerAlone)
{
    PasswordProtection(keyFile).protect("x");
    EXPECT_EQ(mode(keyFile), 0600u);
    EXPECT_EQ(fs::file_size(keyFile), 32u);
    EXPECT_EQ(mode(fs::path(keyFile).parent_path()), 0700u);
    // Group and other bits that appeared later are taken away again.
    fs::permissions(keyFile, fs::perms::group_read | fs::perms::others_read, fs::perm_options::add);
    const std::string text = PasswordProtection(keyFile).protect("x");
    EXPECT_EQ(mode(keyFile), 0600u);
    EXPECT_EQ(PasswordProtection(keyFile).unprotect(text), "x");
}

TEST_F(PasswordProtectionTest, BlobIsBoundToItsKeyAndUnchanged)
{
    const std::string text = PasswordProtection(keyFile).protect("secret");
    const std::string otherKey = (root / "other.key").string();
    EXPECT_EQ(PasswordProtection(otherKey).unprotect(text), std::nullopt);

    std::string changed = text;
    changed[40] = changed[40] == 'A' ? 'B' : 'A';
    const std::string tooShort = text.substr(2);
    for (const std::string &bad :
         {changed, tooShort, std::string("0"), std::string(""),
          text.substr(0, text.size() - 1) + "1", std::string(text.size(), 'g')})
        EXPECT_EQ(PasswordProtection(keyFile).unprotect(bad), std::nullopt);
}

TEST_F(PasswordProtectionTest, LongPasswordIsRefusedNotCut)
{
    EXPECT_TRUE(PasswordProtection::fits(std::string(255, 'a')));
    EXPECT_FALSE(PasswordProtection::fits(std::string(256, 'a')));
    std::string chinese;
    for (int i = 0; i < 255; ++i)
        chinese += "密";
    EXPECT_TRUE(PasswordProtection::fits(chinese)); // characters count, not bytes
    EXPECT_FALSE(PasswordProtection::fits(chinese + "密"));
    // Protection of a password that does not fit leaves an empty blob.
    EXPECT_EQ(PasswordProtection(keyFile).protect(std::string(300, 'a')), "0");
}

TEST_F(PasswordProtectionTest, UnusableKeyFileGivesAnEmptyBlob)
{
    fs::create_directories(fs::path(keyFile).parent_path());
    std::ofstream(keyFile) << "short";
    EXPECT_EQ(PasswordProtection(keyFile).protect("x"), "0");
    fs::remove(keyFile);
    fs::create_symlink(root / "elsewhere", keyFile); // a link is not followed
    EXPECT_EQ(PasswordProtection(keyFile).protect("x"), "0");
    EXPECT_FALSE(fs::exists(root / "elsewhere"));
}

TEST_F(PasswordProtectionTest, ConcurrentFirstUseAgreesOnOneKey)
{
    std::vector<std::string> texts(8);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < texts.size(); ++i)
        threads.emplace_back([&, i] { texts[i] = PasswordProtection(keyFile).protect("pw"); });
    for (std::thread &t : threads)
        t.join();
    for (const std::string &text : texts)
        EXPECT_EQ(PasswordProtection(keyFile).unprotect(text), "pw");
    // No temporary files are left beside the key.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(keyFile).parent_path()), {}), 1);
}

TEST(PasswordProtectionDefault, KeyFileFollowsDataHome)
{
    const char *saved = std::getenv("XDG_DATA_HOME");
    const std::string restore = saved ? saved : "";
    ::setenv("XDG_DATA_HOME", "/tmp/data-home", 1);
    EXPECT_EQ(PasswordProtection::defaultKeyFile(), "/tmp/data-home/cloudclient/rdp.key");
    ::setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored
    EXPECT_TRUE(
        PasswordProtection::defaultKeyFile().ends_with("/.local/share/cloudclient/rdp.key"));
    if (saved)
        ::setenv("XDG_DATA_HOME", restore.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_HOME");
}
