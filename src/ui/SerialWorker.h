#pragma once

#include <functional>

namespace cloud {

// Runs short tasks one after another, in the order they were given, on a worker, so
// that the GUI thread does not wait for them (the settings writes, each of which syncs
// its file to disk) and a later write never overtakes an earlier one.
class SerialWorker
{
public:
    // Queues `task` behind every task given before it. Dropped once the program ends.
    static void post(std::function<void()> task);
    // True when every task given so far has run.
    static bool idle();
};

} // namespace cloud
