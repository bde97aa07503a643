#include "orders/MainProgress.h"

namespace cloud {

ProgressPhase &MainProgress::phase()
{
    static ProgressPhase instance;
    return instance;
}

} // namespace cloud
