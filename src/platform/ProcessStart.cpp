#include "platform/ProcessStart.h"

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace cloud {

namespace {

// Field 22 of /proc/self/stat: the start time in clock ticks after boot. The command
// name in field 2 may hold blanks and parentheses, so counting starts after its last ')'.
long long startTicks()
{
    std::ifstream in("/proc/self/stat");
    std::string stat;
    std::getline(in, stat);
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(close + 1));
    std::string field;
    // Fields 3 to 21 come before the start time.
    for (int i = 3; i <= 21; ++i)
        fields >> field;
    long long ticks = -1;
    fields >> ticks;
    return fields ? ticks : -1;
}

} // namespace

long long millisecondsSinceProcessStart()
{
    const long long ticks = startTicks();
    const long hertz = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (ticks < 0 || hertz <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const long long nowMs = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
    // The start time is cut down to whole ticks; the start of its tick is taken, which
    // can only make the figure larger.
    const long long startMs = ticks * 1000 / hertz;
    return nowMs - startMs;
}

} // namespace cloud
