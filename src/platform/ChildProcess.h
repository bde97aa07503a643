#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace cloud {

// A program started in a session of its own (a signal to the client's terminal does
// not reach it, and it outlives the client like any program the user starts), with
// a given text as its whole standard input and the client's output and error
// streams. No other descriptor of the client reaches it.
class ChildProcess
{
public:
    enum class StartError {
        None,
        NotFound, // no such program on PATH (or at the given path)
        Failed    // any other failure, such as an input too long for the pipe
    };

    struct Exit
    {
        enum class Kind {
            Exited,    // `code` is its exit code
            Signalled, // `code` is the signal that ended it
            Lost       // it could not be waited for (someone else collected it)
        };
        Kind kind = Kind::Exited;
        int code = 0;
    };

    ChildProcess() = default;
    ChildProcess(ChildProcess &&other) noexcept;
    ChildProcess &operator=(ChildProcess &&other) noexcept;
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;
    ~ChildProcess() = default;

    // Starts `program` (looked up on PATH when it holds no "/") with `arguments`
    // after its name. `input` is written to its standard input before it starts,
    // then the input ends; it must fit the pipe (4096 bytes always do), since
    // nothing is written later that could block or break on a closed pipe.
    static ChildProcess start(const std::string &program, const std::vector<std::string> &arguments,
                              std::string_view input);

    bool started() const { return m_pid > 0; }
    StartError error() const { return m_error; }
    pid_t pid() const { return m_pid; }

    // Waits at most `timeout` for the program to end; nothing while it still runs.
    // Once it has ended, every later call gives the same exit.
    std::optional<Exit> waitFor(std::chrono::milliseconds timeout);

private:
    pid_t m_pid = 0;
    StartError m_error = StartError::Failed;
    std::optional<Exit> m_exit;
};

} // namespace cloud
