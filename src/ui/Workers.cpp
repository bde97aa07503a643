#include "ui/Workers.h"

#include "app/Pacing.h"
#include "net/HttpEngine.h"

#include <list>
#include <mutex>
#include <thread>

namespace cloud {

namespace {

// A worker's thread and whether its task has returned, so that finished threads are joined
// (their stacks given back) while the program runs, not only at exit.
struct Worker
{
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> done = std::make_shared<std::atomic<bool>>(false);
};

struct Registry
{
    std::mutex mutex;
    std::list<Worker> threads;
    std::atomic<int> running{0};
    std::atomic<bool> stopping{false};
};

Registry &registry()
{
    static Registry r;
    return r;
}

// A thread whose task has returned is only unwinding, so joining it here is immediate.
void reapFinished(Registry &r)
{
    r.threads.remove_if([](Worker &w) {
        if (!*w.done)
            return false;
        w.thread.join();
        return true;
    });
}

} // namespace

void Workers::start(std::function<void()> task)
{
    Registry &r = registry();
    if (r.stopping)
        return;
    std::lock_guard lock(r.mutex);
    reapFinished(r);
    ++r.running;
    Worker &worker = r.threads.emplace_back();
    worker.thread = std::thread([task = std::move(task), done = worker.done] {
        task();
        *done = true;
        --registry().running;
    });
}

int Workers::retained()
{
    Registry &r = registry();
    std::lock_guard lock(r.mutex);
    reapFinished(r);
    return static_cast<int>(r.threads.size());
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
        std::list<Worker> threads;
        {
            std::lock_guard lock(r.mutex);
            threads.swap(r.threads);
        }
        if (threads.empty())
            return;
        for (Worker &w : threads)
            if (w.thread.joinable())
                w.thread.join();
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
