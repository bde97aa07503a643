#include "app/Pacing.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <random>

namespace cloud {

namespace {

class RealPacing : public Pacing
{
public:
    void pause(std::chrono::milliseconds ms) override
    {
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, ms, [this] { return m_interrupted; });
    }

    int randomBetween(int low, int high) override
    {
        if (high < low)
            std::swap(low, high);
        std::lock_guard lock(m_mutex);
        return std::uniform_int_distribution<int>(low, high)(m_engine);
    }

    void interrupt() override
    {
        {
            std::lock_guard lock(m_mutex);
            m_interrupted = true;
        }
        m_wake.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_interrupted = false;
    std::mt19937 m_engine{std::random_device{}()};
};

std::mutex g_instanceMutex;
std::shared_ptr<Pacing> g_instance;

} // namespace

void Pacing::randomPause(int lowMs, int highMs)
{
    pause(std::chrono::milliseconds(randomBetween(lowMs, highMs)));
}

void Pacing::outcomePause(bool success)
{
    if (success)
        randomPause(300, 1300);
    else
        randomPause(500, 3000);
}

Pacing &Pacing::instance()
{
    std::lock_guard lock(g_instanceMutex);
    if (!g_instance)
        g_instance = makeRealPacing();
    return *g_instance;
}

void Pacing::install(std::shared_ptr<Pacing> pacing)
{
    std::lock_guard lock(g_instanceMutex);
    g_instance = std::move(pacing);
}

std::shared_ptr<Pacing> makeRealPacing()
{
    return std::make_shared<RealPacing>();
}

void InstantPacing::pause(std::chrono::milliseconds ms)
{
    m_total += ms;
}

int InstantPacing::randomBetween(int low, int /*high*/)
{
    return low;
}

std::chrono::milliseconds InstantPacing::total() const
{
    return m_total;
}

} // namespace cloud
