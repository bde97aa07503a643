#include "platform/ProcessStart.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

TEST(ProcessStart, CountsFromTheProcessStartAndMovesOn)
{
    const long long first = cloud::millisecondsSinceProcessStart();
    ASSERT_GE(first, 0);
    // A test program is not an hour old.
    EXPECT_LT(first, 3'600'000);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_GE(cloud::millisecondsSinceProcessStart(), first + 30);
}
