#include "ui/Workers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace cloud::test {
namespace {

bool waitUntilIdle()
{
    for (int i = 0; i < 2000 && Workers::running() != 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return Workers::running() == 0;
}

// A signed-in client starts a few workers on every refresh for hours; each finished thread
// kept unjoined holds its stack, which showed as resident memory growing pass after pass.
TEST(Workers, FinishedThreadsAreJoinedAsNewOnesStart)
{
    Workers::resetForTests();
    std::atomic<int> ran{0};
    for (int i = 0; i < 200; ++i) {
        Workers::start([&ran] { ++ran; });
        ASSERT_TRUE(waitUntilIdle());
    }
    EXPECT_EQ(ran, 200);
    EXPECT_EQ(Workers::retained(), 0);
}

TEST(Workers, RunningThreadsAreKeptUntilTheyFinish)
{
    Workers::resetForTests();
    std::atomic<bool> release{false};
    for (int i = 0; i < 3; ++i)
        Workers::start([&release] {
            while (!release)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        });
    EXPECT_EQ(Workers::retained(), 3);
    release = true;
    ASSERT_TRUE(waitUntilIdle());
    Workers::resetForTests();
}

} // namespace
} // namespace cloud::test
