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
// The guard is made on the GUI thread (when the flow starts) and only tested there.
inline void postToGui(QPointer<QObject> context, std::function<void()> write)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [context, write = std::move(write)] {
            if (context)
                write();
        },
        Qt::QueuedConnection);
}

// Reads a value on the GUI thread for a worker (control texts, box states). Runs
// inline when called on the GUI thread. Gives nothing when the context is gone or
// the program is ending, so a worker never waits on a GUI that will not answer.
template <typename T>
std::optional<T> readFromGui(QPointer<QObject> context, std::function<T()> read)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return std::nullopt;
    if (QThread::currentThread() == app->thread())
        return context ? std::optional<T>(read()) : std::nullopt;
    auto promise = std::make_shared<std::promise<std::optional<T>>>();
    std::future<std::optional<T>> future = promise->get_future();
    QMetaObject::invokeMethod(
        app,
        [context, promise, read = std::move(read)] {
            promise->set_value(context ? std::optional<T>(read()) : std::nullopt);
        },
        Qt::QueuedConnection);
    while (future.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
        if (Workers::stopping())
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
        postToGui(guard, [result = std::move(result), done] { done(result); });
    });
}

} // namespace cloud
