#include "platform/ChildProcess.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <unistd.h>

using namespace cloud;
namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

class ChildProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "child-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string script(const std::string &name, const std::string &body)
    {
        const fs::path path = dir / name;
        std::ofstream(path) << "#!/bin/sh\n" << body;
        fs::permissions(path, fs::perms::owner_all);
        return path.string();
    }

    std::string read(const std::string &name) const
    {
        std::ifstream in(dir / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    static ChildProcess::Exit finish(ChildProcess &child)
    {
        const std::optional<ChildProcess::Exit> exit = child.waitFor(10s);
        EXPECT_TRUE(exit.has_value());
        return exit.value_or(ChildProcess::Exit{ChildProcess::Exit::Kind::Lost, -1});
    }

    fs::path dir;
};

} // namespace

TEST_F(ChildProcessTest, PassesArgumentsAndInputAndReportsTheExitCode)
{
    const std::string out = (dir / "args").string();
    const std::string program =
        script("record", "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" + out +
                             "\"\ncat > \"" + out + ".in\"\nexit 7\n");
    ChildProcess child =
        ChildProcess::start(program, {"/v:host:3389", "two words", "$HOME", ""}, "secret\n");
    ASSERT_TRUE(child.started());
    const ChildProcess::Exit exit = finish(child);
    EXPECT_EQ(exit.kind, ChildProcess::Exit::Kind::Exited);
    EXPECT_EQ(exit.code, 7);
    EXPECT_EQ(read("args"), "/v:host:3389\ntwo words\n$HOME\n\n");
    EXPECT_EQ(read("args.in"), "secret\n");
    // Once ended, the exit stays known.
    EXPECT_EQ(child.waitFor(0ms)->code, 7);
}

TEST_F(ChildProcessTest, FindsProgramsOnPathAndTellsWhenMissing)
{
    ChildProcess missing = ChildProcess::start("no-such-program-here-xyz", {}, "");
    EXPECT_FALSE(missing.started());
    EXPECT_EQ(missing.error(), ChildProcess::StartError::NotFound);

    ChildProcess absent = ChildProcess::start((dir / "absent").string(), {}, "");
    EXPECT_EQ(absent.error(), ChildProcess::StartError::NotFound);

    ChildProcess found = ChildProcess::start("true", {}, "");
    ASSERT_TRUE(found.started());
    EXPECT_EQ(finish(found).code, 0);
}

TEST_F(ChildProcessTest, RunsApartFromTheClient)
{
    // Its own session, no inherited descriptors beyond the three standard ones,
    // and default signal handling even where the client ignores a signal.
    const int stray = ::open("/dev/null", O_RDONLY); // not close-on-exec
    ASSERT_GE(stray, 0);
    std::signal(SIGPIPE, SIG_IGN);
    const std::string out = (dir / "state").string();
    const std::string program = script("state", "cut -d' ' -f6 /proc/$$/stat > \"" + out +
                                                    "\"\n"
                                                    "echo $$ >> \"" +
                                                    out +
                                                    "\"\n"
                                                    "grep SigIgn /proc/$$/status >> \"" +
                                                    out +
                                                    "\"\n"
                                                    // No pipeline: while the shell sets one up it
                                                    // holds the pipe's descriptors itself.
                                                    "ls /proc/$$/fd > \"" +
                                                    out + ".fds\"\n");
    ChildProcess child = ChildProcess::start(program, {}, "");
    ASSERT_TRUE(child.started());
    finish(child);
    std::signal(SIGPIPE, SIG_DFL);
    ::close(stray);

    std::istringstream lines(read("state"));
    std::string sid, pid, ignored;
    std::getline(lines, sid);
    std::getline(lines, pid);
    std::getline(lines, ignored);
    std::istringstream listed(read("state.fds"));
    std::set<int> descriptors{std::istream_iterator<int>(listed), std::istream_iterator<int>()};
    std::string fds;
    for (int fd : descriptors)
        fds += std::to_string(fd) + " ";
    EXPECT_EQ(sid, pid); // session leader
    // The shell holds its script open on a descriptor of its own; nothing else is open.
    EXPECT_TRUE(fds.starts_with("0 1 2 ")) << fds;
    EXPECT_EQ(fds.find(" " + std::to_string(stray) + " "), std::string::npos) << fds;
    const unsigned long long mask = std::stoull(ignored.substr(ignored.find(':') + 1), nullptr, 16);
    EXPECT_EQ(mask & (1ULL << (SIGPIPE - 1)), 0u) << ignored;
}

TEST_F(ChildProcessTest, SignalsAndWaitingLimits)
{
    ChildProcess sleeper = ChildProcess::start("sleep", {"30"}, "");
    ASSERT_TRUE(sleeper.started());
    EXPECT_FALSE(sleeper.waitFor(50ms).has_value()); // still running: no waiting forever
    ::kill(sleeper.pid(), SIGTERM);
    const ChildProcess::Exit exit = finish(sleeper);
    EXPECT_EQ(exit.kind, ChildProcess::Exit::Kind::Signalled);
    EXPECT_EQ(exit.code, SIGTERM);
}

TEST_F(ChildProcessTest, InputThatDoesNotFitThePipeIsRefused)
{
    ChildProcess child = ChildProcess::start("cat", {}, std::string(4 << 20, 'x'));
    EXPECT_FALSE(child.started());
    EXPECT_EQ(child.error(), ChildProcess::StartError::Failed);
}
