#pragma once

#include "app/Pacing.h"
#include "ui/Workers.h"

#include <QCoreApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

namespace cloud::test {

// Pauses that record what the flows ask for and, while gated, hold every pause of a
// second or more until the test releases it, so that the test sees each step's controls.
// Random draws give the low end.
class TestPacing : public Pacing
{
public:
    static constexpr std::chrono::milliseconds gatedFrom{1000};

    void pause(std::chrono::milliseconds ms) override
    {
        std::unique_lock lock(m_mutex);
        m_pauses.push_back(ms);
        if (!m_gated || ms < gatedFrom)
            return;
        ++m_waiting;
        m_wake.wait(lock, [this] { return m_releases > 0 || m_interrupted; });
        if (m_releases > 0)
            --m_releases;
        --m_waiting;
    }
    int randomBetween(int low, int) override { return low; }
    void interrupt() override
    {
        std::lock_guard lock(m_mutex);
        m_interrupted = true;
        m_wake.notify_all();
    }

    void setGated(bool gated)
    {
        std::lock_guard lock(m_mutex);
        m_gated = gated;
    }
    // Lets one held pause (the current or the next) go on.
    void release()
    {
        std::lock_guard lock(m_mutex);
        ++m_releases;
        m_wake.notify_all();
    }
    int waiting() const
    {
        std::lock_guard lock(m_mutex);
        return m_waiting;
    }
    // True once a worker is held at a pause, with the GUI thread having done every write
    // the worker queued before it.
    bool holdsAWorker()
    {
        if (!QTest::qWaitFor([this] { return waiting() == 1; }))
            return false;
        QCoreApplication::sendPostedEvents();
        return true;
    }
    std::vector<std::chrono::milliseconds> pauses() const
    {
        std::lock_guard lock(m_mutex);
        return m_pauses;
    }
    // The pauses of a flow's own steps, without the short polls of its animation waits.
    std::vector<std::chrono::milliseconds> stepPauses() const
    {
        std::vector<std::chrono::milliseconds> steps;
        for (auto ms : pauses()) {
            if (ms > std::chrono::milliseconds(20))
                steps.push_back(ms);
        }
        return steps;
    }

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::vector<std::chrono::milliseconds> m_pauses;
    bool m_gated = false;
    bool m_interrupted = false;
    int m_releases = 0;
    int m_waiting = 0;
};

// Installs a TestPacing for one test and, at its end, lets every worker the test started
// finish (the GUI thread keeps answering them meanwhile) before the real pacing returns.
class PacingScope
{
public:
    PacingScope() : m_pacing(std::make_shared<TestPacing>()) { Pacing::install(m_pacing); }
    ~PacingScope()
    {
        m_pacing->interrupt();
        if (!QTest::qWaitFor([] { return Workers::running() == 0; }, 20000))
            ADD_FAILURE() << "a worker of the test is still running";
        Workers::resetForTests();
        Pacing::install(nullptr);
    }
    TestPacing &operator*() const { return *m_pacing; }
    TestPacing *operator->() const { return m_pacing.get(); }

private:
    std::shared_ptr<TestPacing> m_pacing;
};

} // namespace cloud::test
