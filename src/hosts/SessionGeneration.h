#pragma once

#include <atomic>
#include <memory>

namespace cloud {

// Tells the background loops of the main window whether their session still runs. Every
// sign-in and every sign-out starts a new generation; a loop remembers the one it was
// started in and ends when that is no longer the current one, so a loop that wakes from a
// pause after a sign-out and a new sign-in ends itself instead of running beside its
// successor. Shared between the window and its workers, so it outlives either.
class SessionGeneration
{
public:
    static std::shared_ptr<SessionGeneration> create();

    // Starts a new generation and returns it.
    int advance() { return ++m_generation; }
    int value() const { return m_generation.load(); }
    // The window is gone: every loop ends.
    void close() { m_closed = true; }
    bool closed() const { return m_closed.load(); }

    // The generation is current, the window exists and the program is not ending.
    bool current(int generation) const;
    // current() and the session has not been stopped (sign-out, failed session check).
    bool running(int generation) const;

    // Loops that run now, by kind; each loop counts itself in and out.
    enum Loop { Watcher = 0, RefreshLoop = 1, TipRotation = 2, LoopKinds = 3 };
    int runningLoops(Loop kind) const { return m_loops[kind].load(); }

    // Counts a loop in for as long as it lives.
    class LoopScope
    {
    public:
        LoopScope(SessionGeneration &owner, Loop kind);
        ~LoopScope();
        LoopScope(const LoopScope &) = delete;
        LoopScope &operator=(const LoopScope &) = delete;

    private:
        SessionGeneration &m_owner;
        Loop m_kind;
    };

private:
    SessionGeneration() = default;

    std::atomic<int> m_generation{0};
    std::atomic<bool> m_closed{false};
    std::atomic<int> m_loops[LoopKinds]{};
};

} // namespace cloud
