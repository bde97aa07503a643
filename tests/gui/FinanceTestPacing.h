#pragma once

#include "app/Pacing.h"

#include <chrono>
#include <functional>
#include <mutex>
#include <vector>

namespace cloud::test {

// Pauses that do not wait: each is recorded, and an optional hook runs on the pausing
// thread (a test looks at the window at that moment, or changes the world). Random
// draws give the lower bound.
class FinanceTestPacing : public Pacing
{
public:
    void pause(std::chrono::milliseconds ms) override
    {
        std::function<void(std::chrono::milliseconds)> hook;
        {
            std::lock_guard lock(m_mutex);
            m_pauses.push_back(ms);
            hook = m_hook;
        }
        if (hook)
            hook(ms);
    }
    int randomBetween(int low, int high) override
    {
        std::lock_guard lock(m_mutex);
        m_draws.push_back({low, high});
        return low;
    }
    void interrupt() override {}

    void setHook(std::function<void(std::chrono::milliseconds)> hook)
    {
        std::lock_guard lock(m_mutex);
        m_hook = std::move(hook);
    }
    std::vector<std::chrono::milliseconds> pauses()
    {
        std::lock_guard lock(m_mutex);
        return m_pauses;
    }
    std::vector<std::pair<int, int>> draws()
    {
        std::lock_guard lock(m_mutex);
        return m_draws;
    }

private:
    std::mutex m_mutex;
    std::function<void(std::chrono::milliseconds)> m_hook;
    std::vector<std::chrono::milliseconds> m_pauses;
    std::vector<std::pair<int, int>> m_draws;
};

} // namespace cloud::test
