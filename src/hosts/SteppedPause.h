#pragma once

#include "app/Pacing.h"

#include <functional>

namespace cloud {

// Waits `seconds` in steps of one second, ending early when `keepGoing` turns false, so a
// background loop notices a sign-out or the end of the program within a second. Returns
// whether the loop may go on.
inline bool pauseInSteps(int seconds, const std::function<bool()> &keepGoing)
{
    for (int step = 0; step < seconds; ++step) {
        if (!keepGoing())
            return false;
        Pacing::instance().pause(std::chrono::seconds(1));
    }
    return keepGoing();
}

} // namespace cloud
