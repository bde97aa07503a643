#pragma once

#include "ui/ProgressPhase.h"

namespace cloud {

// The phase that the main window's two busy pictures follow: the purchase's over the
// buy button (`图片框登录进度1`, timer `时钟2`) and the card top-up's (`图片框登录进度`,
// timer `时钟1`). One value for both, so an order and a card redemption that overlap
// make both pictures follow whichever phase was set last. Safe from any thread.
class MainProgress
{
public:
    // The process-wide phase; hand it to each BusyIndicator of the main window.
    static ProgressPhase &phase();

    static int value() { return phase().value(); }
    static void set(int value) { phase().set(value); }
    // Back to Unused (a new sign-in, and tests).
    static void reset() { phase().set(ProgressPhase::Unused); }
};

} // namespace cloud
