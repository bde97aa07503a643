#pragma once

#include "app/Pacing.h"

#include <atomic>
#include <thread>

namespace cloud::test {

// Real pauses, shortened: a second lasts `msPerSecond` milliseconds. Background loops then
// run their passes quickly without spinning, and their timing keeps its proportions.
class ShortPacing : public Pacing
{
public:
    explicit ShortPacing(int msPerSecond = 4) : m_msPerSecond(msPerSecond) {}

    void pause(std::chrono::milliseconds ms) override
    {
        m_total += ms.count();
        std::this_thread::sleep_for(std::chrono::microseconds(ms.count() * m_msPerSecond));
    }
    int randomBetween(int low, int) override { return low; }
    void interrupt() override {}
    long long totalMs() const { return m_total.load(); }

private:
    int m_msPerSecond;
    std::atomic<long long> m_total{0};
};

} // namespace cloud::test
