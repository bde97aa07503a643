#include "ui/Workers.h"

#include "app/Pacing.h"

#include <list>
#include <mutex>
#include <thread>

namespace cloud {

namespace {

struct Registry
{
    std::mutex mutex;
    std::list<std::thread> threads;
    std::atomic<int> running{0};
    std::atomic<bool> stopping{false};
};

Registry &registry()
{
    static Registry r;
    return r;
}

} // namespace

void Workers::start(std::function<void()> task)
{
    Registry &r = registry();
    if (r.stopping)
        return;
    std::lock_guard lock(r.mutex);
    ++r.running;
    r.threads.emplace_back([task = std::move(task)] {
        task();
        --registry().running;
    });
}

bool Workers::stopping()
{
    return registry().stopping;
}

void Workers::stopAll()
{
    Registry &r = registry();
    r.stopping = true;
    Pacing::instance().interrupt();
    std::list<std::thread> threads;
    {
        std::lock_guard lock(r.mutex);
        threads.swap(r.threads);
    }
    for (std::thread &t : threads)
        if (t.joinable())
            t.join();
}

int Workers::running()
{
    return registry().running;
}

void Workers::resetForTests()
{
    stopAll();
    registry().stopping = false;
}

} // namespace cloud
