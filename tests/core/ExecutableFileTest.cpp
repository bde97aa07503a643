#include "platform/ExecutableFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

class ExecutableFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "exefile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    static std::string read(const fs::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::size_t entries() const
    {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    fs::path dir;
};

} // namespace

TEST_F(ExecutableFileTest, WritesAndReplacesWithTheRunBit)
{
    const fs::path target = dir / "update.exe";
    const std::string first("\x7F"
                            "ELF\0first",
                            10);
    const mode_t oldMask = umask(077);
    EXPECT_TRUE(writeExecutableFile(target, first));
    umask(oldMask);
    EXPECT_EQ(read(target), first);
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all | fs::perms::group_read |
                                                    fs::perms::group_exec | fs::perms::others_read |
                                                    fs::perms::others_exec);

    // Replaced whole, also when the old file was read-only, and no temporary is left.
    fs::permissions(target, fs::perms::owner_read);
    EXPECT_TRUE(writeExecutableFile(target, "second"));
    EXPECT_EQ(read(target), "second");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(ExecutableFileTest, FailureLeavesNothingBehind)
{
    EXPECT_FALSE(writeExecutableFile((dir / "missing" / "update.exe").string(), "x"));

    // A directory in the way cannot be replaced by a file.
    fs::create_directory(dir / "update.exe");
    EXPECT_FALSE(writeExecutableFile((dir / "update.exe").string(), "x"));
    EXPECT_TRUE(fs::is_directory(dir / "update.exe"));
    EXPECT_EQ(entries(), 1u);
}
