#include "ui/SerialWorker.h"

#include "ui/Workers.h"

#include <deque>
#include <mutex>

namespace cloud {

namespace {

struct Queue
{
    std::mutex mutex;
    std::deque<std::function<void()>> tasks;
    bool draining = false; // a worker is running the queue
};

Queue &queue()
{
    static Queue q;
    return q;
}

void drain()
{
    Queue &q = queue();
    while (true) {
        std::function<void()> task;
        {
            std::lock_guard lock(q.mutex);
            if (q.tasks.empty()) {
                q.draining = false;
                return;
            }
            task = std::move(q.tasks.front());
            q.tasks.pop_front();
        }
        task();
    }
}

} // namespace

void SerialWorker::post(std::function<void()> task)
{
    if (Workers::stopping())
        return;
    Queue &q = queue();
    {
        std::lock_guard lock(q.mutex);
        q.tasks.push_back(std::move(task));
        if (q.draining)
            return;
        q.draining = true;
    }
    Workers::start(drain);
}

bool SerialWorker::idle()
{
    Queue &q = queue();
    std::lock_guard lock(q.mutex);
    return !q.draining && q.tasks.empty();
}

} // namespace cloud
