#include "ui/Workers.h"

#include "app/Pacing.h"
#include "net/HttpEngine.h"

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

namespace {

void joinAll()
{
    Registry &r = registry();
    while (true) {
        std::list<std::thread> threads;
        {
            std::lock_guard lock(r.mutex);
            threads.swap(r.threads);
        }
        if (threads.empty())
            return;
        for (std::thread &t : threads)
            if (t.joinable())
                t.join();
    }
}

} // namespace

void Workers::stopAll()
{
    registry().stopping = true;
    Pacing::instance().interrupt();
    HttpEngine::abortAll();
    joinAll();
}

int Workers::running()
{
    return registry().running;
}

void Workers::resetForTests()
{
    // Ends what tests started (loops look at stopping()) without ending the network or the
    // pauses for good.
    registry().stopping = true;
    joinAll();
    registry().stopping = false;
}

} // namespace cloud
