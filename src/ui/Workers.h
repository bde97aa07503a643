#pragma once

#include <atomic>
#include <functional>
#include <memory>

namespace cloud {

// The program's worker threads. Flows run their steps here so that the GUI thread
// never waits on the network or on a pause. At exit every worker is asked to stop
// (pauses end at once, `stopping()` turns true) and joined.
class Workers
{
public:
    // Starts `task` on a new thread of its own.
    static void start(std::function<void()> task);
    // True once the program has begun to end; long loops look at it.
    static bool stopping();
    // Interrupts every pause and network exchange, then joins every worker. Called once, at
    // exit, on the GUI thread.
    static void stopAll();
    // Number of workers still running (tests use it to show loops do not pile up).
    static int running();
    // Number of threads held, running or finished but not yet joined; finished ones are
    // joined as new workers start, so a long session does not pile up thread stacks.
    static int retained();
    // Joins what a test started and lets it start workers again.
    static void resetForTests();
};

} // namespace cloud
