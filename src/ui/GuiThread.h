#pragma once

#include "ui/Workers.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QThread>

#include <chrono>
#include <functional>
#include <future>
#include <optional>

namespace cloud {

// The one way from a worker back to the GUI thread. Writes are queued, so they
// arrive in the order a flow made them; a write for a window that is gone is dropped.
inline void postToGui(QObject *context, std::function<void()> write)
{
    if (!context)
        return;
    QMetaObject::invokeMethod(context, std::move(write), Qt::QueuedConnection);
}

// Reads a value on the GUI thread for a worker (control texts, box states). Runs
// inline when called on the GUI thread. Gives nothing when the context is gone or
// the program is ending, so a worker never waits on a GUI that will not answer.
template <typename T> std::optional<T> readFromGui(QObject *context, std::function<T()> read)
{
    if (!context)
        return std::nullopt;
    if (QThread::currentThread() == context->thread())
        return read();
    auto promise = std::make_shared<std::promise<T>>();
    std::future<T> future = promise->get_future();
    QPointer<QObject> guard(context);
    QMetaObject::invokeMethod(
        context, [promise, read = std::move(read)] { promise->set_value(read()); },
        Qt::QueuedConnection);
    while (future.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (Workers::stopping() || !guard)
            return std::nullopt;
    }
    return future.get();
}

// Runs `task` on a worker and hands its result to `done` on the GUI thread.
template <typename T>
void runThenCallback(QObject *context, std::function<T()> task, std::function<void(T)> done)
{
    QPointer<QObject> guard(context);
    Workers::start([guard, task = std::move(task), done = std::move(done)] {
        T result = task();
        if (guard)
            postToGui(guard.data(), [result = std::move(result), done] { done(result); });
    });
}

} // namespace cloud
