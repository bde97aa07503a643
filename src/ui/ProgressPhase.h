#pragma once

#include <atomic>

namespace cloud {

// The phase value that the busy indicators of one window share. Workers may read
// and write it from any thread.
class ProgressPhase
{
public:
    enum Value { Unused = 0, Busy = 1, Success = 2, Failure = 3 };

    int value() const { return m_value.load(); }
    void set(int value) { m_value.store(value); }

private:
    std::atomic<int> m_value{Unused};
};

} // namespace cloud
