#include "platform/ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>

extern char **environ;

namespace cloud {

namespace {

struct Pipe
{
    int read = -1;
    int write = -1;
    ~Pipe()
    {
        if (read >= 0)
            ::close(read);
        if (write >= 0)
            ::close(write);
    }
};

// The whole input goes into the pipe at once; a write that would block means the
// input does not fit, which is a failure rather than a wait.
bool fillPipe(Pipe &pipe, std::string_view input)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return false;
    pipe.read = fds[0];
    pipe.write = fds[1];
    if (::fcntl(pipe.write, F_SETFL, O_NONBLOCK) != 0)
        return false;
    while (!input.empty()) {
        const ssize_t written = ::write(pipe.write, input.data(), input.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        input.remove_prefix(static_cast<std::size_t>(written));
    }
    ::close(pipe.write);
    pipe.write = -1;
    return true;
}

class SpawnSetup
{
public:
    explicit SpawnSetup(int input)
    {
        posix_spawn_file_actions_init(&m_actions);
        posix_spawnattr_init(&m_attributes);
        m_ok = posix_spawn_file_actions_adddup2(&m_actions, input, STDIN_FILENO) == 0 &&
               posix_spawn_file_actions_addclosefrom_np(&m_actions, STDERR_FILENO + 1) == 0 &&
               signals() && posix_spawnattr_setflags(&m_attributes, flags()) == 0;
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&m_actions);
        posix_spawnattr_destroy(&m_attributes);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;

    bool ok() const { return m_ok; }
    const posix_spawn_file_actions_t *actions() const { return &m_actions; }
    const posix_spawnattr_t *attributes() const { return &m_attributes; }

private:
    static short flags()
    {
        return static_cast<short>(POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                  POSIX_SPAWN_SETSIGDEF);
    }

    // Whatever the client blocks or ignores is not passed on.
    bool signals()
    {
        sigset_t none;
        sigset_t defaults;
        sigemptyset(&none);
        sigemptyset(&defaults);
        for (int signal : {SIGPIPE, SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGCHLD})
            sigaddset(&defaults, signal);
        return posix_spawnattr_setsigmask(&m_attributes, &none) == 0 &&
               posix_spawnattr_setsigdefault(&m_attributes, &defaults) == 0;
    }

    posix_spawn_file_actions_t m_actions;
    posix_spawnattr_t m_attributes;
    bool m_ok = false;
};

} // namespace

ChildProcess::ChildProcess(ChildProcess &&other) noexcept
    : m_pid(std::exchange(other.m_pid, 0)), m_error(other.m_error), m_exit(other.m_exit)
{}

ChildProcess &ChildProcess::operator=(ChildProcess &&other) noexcept
{
    m_pid = std::exchange(other.m_pid, 0);
    m_error = other.m_error;
    m_exit = other.m_exit;
    return *this;
}

ChildProcess ChildProcess::start(const std::string &program,
                                 const std::vector<std::string> &arguments, std::string_view input)
{
    ChildProcess child;
    Pipe pipe;
    if (program.empty() || !fillPipe(pipe, input))
        return child;
    SpawnSetup setup(pipe.read);
    if (!setup.ok())
        return child;
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(program.c_str()));
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int result = posix_spawnp(&pid, program.c_str(), setup.actions(), setup.attributes(),
                                    argv.data(), environ);
    if (result == 0) {
        child.m_pid = pid;
        child.m_error = StartError::None;
    } else {
        child.m_error = result == ENOENT ? StartError::NotFound : StartError::Failed;
    }
    return child;
}

std::optional<ChildProcess::Exit> ChildProcess::waitFor(std::chrono::milliseconds timeout)
{
    if (m_exit || m_pid <= 0)
        return m_exit;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_exit = WIFSIGNALED(status) ? Exit{Exit::Kind::Signalled, WTERMSIG(status)}
                                         : Exit{Exit::Kind::Exited, WEXITSTATUS(status)};
            return m_exit;
        }
        if (done < 0 && errno != EINTR) {
            m_exit = Exit{Exit::Kind::Lost, 0};
            return m_exit;
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            deadline - now, std::chrono::milliseconds(20)));
    }
}

} // namespace cloud
