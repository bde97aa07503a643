#include "app/ProgramPaths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

class TempHome : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "paths-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        home = pattern;
    }
    void TearDown() override { fs::remove_all(home); }

    void userDirs(const fs::path &configDir, const std::string &content)
    {
        fs::create_directories(configDir);
        std::ofstream(configDir / "user-dirs.dirs") << content;
    }

    fs::path home;
};

} // namespace

TEST_F(TempHome, DocumentsFolder)
{
    const std::string h = home.string();
    EXPECT_EQ(documentsDirectoryFrom(h, ""), h + "/Documents");

    userDirs(home / ".config", "# written by xdg-user-dirs-update\n"
                               "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                               "XDG_DOCUMENTS_DIR=\"$HOME/文档/\"\n");
    EXPECT_EQ(documentsDirectoryFrom(h, ""), h + "/文档");

    userDirs(home / "cfg", "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n");
    EXPECT_EQ(documentsDirectoryFrom(h, (home / "cfg").string()), "/srv/docs");

    // A relative entry is not valid in the file; the usual folder stands instead.
    userDirs(home / "bad", "XDG_DOCUMENTS_DIR=\"docs\"\n");
    EXPECT_EQ(documentsDirectoryFrom(h, (home / "bad").string()), h + "/Documents");
}

TEST(ProgramPaths, AccountSettingsFileStaysInDocuments)
{
    struct Case
    {
        const char *title;
        const char *path;
    };
    const Case cases[] = {
        {"云", "/d/云.ini"}, {"", "/d/.ini"},       {"../../etc/cron.d/x", "/d/....etccron.dx.ini"},
        {"..", "/d/...ini"}, {"a\\b", "/d/ab.ini"},
    };
    for (const Case &c : cases) {
        const std::string path = accountIniPathFor("/d", c.title);
        EXPECT_EQ(path, c.path) << c.title;
        EXPECT_EQ(fs::path(path).parent_path(), "/d") << c.title;
    }
}

TEST_F(TempHome, ProgramDirectoryFiles)
{
    EXPECT_TRUE(fs::exists(programDirectory() + "/core_tests"));
    EXPECT_EQ(updateConfigPath("/opt/c"), "/opt/c/更新配置.ini");
    EXPECT_EQ(updaterPath("/opt/c"), "/opt/c/update.exe");

    EXPECT_TRUE(ensureHistoryDirectory(home.string()));
    EXPECT_TRUE(fs::is_directory(home / "History"));
    EXPECT_TRUE(ensureHistoryDirectory(home.string())); // already there

    std::ofstream(home / "file") << "x";
    EXPECT_FALSE(ensureHistoryDirectory((home / "file").string()));
}
