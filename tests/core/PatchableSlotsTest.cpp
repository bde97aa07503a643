#include "app/PatchableSlots.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>

using namespace cloud;
namespace fs = std::filesystem;

namespace {

// Built at run time: a literal run of sentinel bytes in this program would be a
// second match for the patch tool.
std::string repeated(std::string_view piece, std::size_t times)
{
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += piece;
    return out;
}

std::string untouchedHost()
{
    return repeated("\xCB\xAE", kHostSlotWidth / 2);
}

std::string untouchedVersion()
{
    return repeated("\xE0\xA3", kVersionSlotWidth / 2);
}

// `text` followed by zero bytes or by what is left of the untouched slot.
std::string overwritten(std::string_view text, const std::string &untouched)
{
    std::string slot = untouched;
    slot.replace(0, text.size(), text);
    return slot;
}

std::string environment(const char *name, std::string_view fallback)
{
    const char *value = std::getenv(name);
    return value ? value : std::string(fallback);
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct RunResult
{
    int exitCode = -1;
    std::string output;
};

RunResult run(const std::string &command)
{
    RunResult result;
    FILE *pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        result.output.append(buffer, n);
    const int status = pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

} // namespace

TEST(PatchableSlots, HostSlotRules)
{
    const std::string fallback(kDefaultApiHost);
    const std::string fullWidth = "abcdefghij.klmnopqrstu.w";
    ASSERT_EQ(fullWidth.size(), kHostSlotWidth);
    struct Case
    {
        std::string slot;
        std::string host;
    };
    const Case cases[] = {
        {untouchedHost(), fallback},
        {overwritten(std::string("api.example.com", 16), untouchedHost()), "api.example.com"},
        {overwritten(std::string("10.0.0.5:8080", 14), untouchedHost()), "10.0.0.5:8080"},
        {"  api.example.com" + std::string(7, ' '), "api.example.com"},
        {fullWidth, fullWidth},
        // One sentinel left anywhere in the text, as in a partly overwritten slot.
        {overwritten("api.example.com", untouchedHost()), fallback},
        {"ab\xCB\xAE"
         "cd" +
             std::string(18, '\0'),
         fallback},
        // Texts that cannot stand after "http://".
        {std::string(kHostSlotWidth, '\0'), fallback},
        {std::string(kHostSlotWidth, ' '), fallback},
        {"evil.com/path" + std::string(11, '\0'), fallback},
        {"a b" + std::string(21, '\0'), fallback},
        {"host\x01\x02\x7f" + std::string(17, '\0'), fallback},
        {"\xD4\xC6.com" + std::string(18, '\0'), fallback},
        {std::string(kHostSlotWidth, '\xFF'), fallback},
    };
    for (const Case &c : cases)
        EXPECT_EQ(resolveHostSlot(c.slot), c.host) << c.slot;
}

TEST(PatchableSlots, VersionSlotRules)
{
    EXPECT_EQ(resolveVersionSlot(untouchedVersion()), kDefaultVersionLabel);
    EXPECT_EQ(resolveVersionSlot(overwritten(std::string("Ver 4.0", 8), untouchedVersion())),
              "Ver 4.0");
    EXPECT_EQ(resolveVersionSlot("Ver 4.1         "), "Ver 4.1");
    EXPECT_EQ(resolveVersionSlot(overwritten("Ver 4.0", untouchedVersion())), kDefaultVersionLabel);
    // GBK text becomes UTF-8.
    EXPECT_EQ(resolveVersionSlot(std::string("\xB0\xE6\xB1\xBE 5", 6) + std::string(10, '\0')),
              "版本 5");
    // Overwritten with an odd number of bytes, the rest of the run no longer reads as
    // sentinel characters but still is what is left of the untouched slot.
    EXPECT_EQ(resolveVersionSlot(overwritten("Ver 4", untouchedVersion())), kDefaultVersionLabel);
    EXPECT_EQ(resolveHostSlot(overwritten("a.example", untouchedHost())), kDefaultApiHost);
}

// Run as is, this program holds untouched slots; the patch test runs a patched copy
// of it with the values it expects in the environment.
TEST(PatchableSlots, ExecutableReadsItsSlots)
{
    if (!std::getenv("CLOUD_EXPECT_HOST")) {
        EXPECT_EQ(hostSlotBytes(), untouchedHost());
        EXPECT_EQ(versionSlotBytes(), untouchedVersion());
    }
    EXPECT_EQ(slotHost(), environment("CLOUD_EXPECT_HOST", kDefaultApiHost));
    EXPECT_EQ(slotVersion(), environment("CLOUD_EXPECT_VERSION", kDefaultVersionLabel));
}

class PatchTool : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (run("python3 --version").exitCode != 0)
            GTEST_SKIP() << "python3 is not available";
        std::string pattern = (fs::temp_directory_path() / "patchslot-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override
    {
        if (!dir.empty())
            fs::remove_all(dir);
    }

    RunResult patch(const std::string &options, const fs::path &in, const fs::path &out)
    {
        return run("python3 '" CLOUD_SOURCE_DIR "/scripts/patch-slot.py' " + options + " '" +
                   in.string() + "' '" + out.string() + "'");
    }

    fs::path dir;
    const fs::path self = fs::read_symlink("/proc/self/exe");
};

TEST_F(PatchTool, PatchedCopyReadsTheNewValues)
{
    const fs::path copy = dir / "patched";
    const RunResult patched = patch("--host api.example.com:8080 --version 'Ver 4.0'", self, copy);
    ASSERT_EQ(patched.exitCode, 0) << patched.output;

    // Only the two slots changed, each within its width.
    const std::string before = readFile(self);
    const std::string after = readFile(copy);
    ASSERT_EQ(before.size(), after.size());
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i)
        changed += before[i] != after[i];
    EXPECT_EQ(changed, kHostSlotWidth + kVersionSlotWidth);

    const RunResult child =
        run("CLOUD_EXPECT_HOST=api.example.com:8080 "
            "CLOUD_EXPECT_VERSION='Ver 4.0' '" +
            copy.string() + "' --gtest_filter=PatchableSlots.ExecutableReadsItsSlots");
    EXPECT_EQ(child.exitCode, 0) << child.output;
    EXPECT_NE(child.output.find("[       OK ] PatchableSlots.ExecutableReadsItsSlots"),
              std::string::npos)
        << child.output;
}

TEST_F(PatchTool, RefusesWhatTheSlotCannotHold)
{
    const fs::path out = dir / "out";
    const char *refused[] = {
        "--host a-host-name-of-25-bytes.x", // one byte too wide
        "--version 'Version label 4.0.1'",  // 19 bytes
        "--host 'bad host'",
        "--host 'x水y'",
        "--host ''",
    };
    for (const char *options : refused) {
        EXPECT_NE(patch(options, self, out).exitCode, 0) << options;
        EXPECT_FALSE(fs::exists(out)) << options;
    }
    // A patched copy holds no untouched slot any more: patch a fresh build instead.
    ASSERT_EQ(patch("--host one.example", self, out).exitCode, 0);
    EXPECT_NE(patch("--host two.example", out, dir / "again").exitCode, 0);
}
