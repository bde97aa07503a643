#pragma once

namespace cloud {

// Milliseconds since the kernel started this process (exec and library loading
// included), at the kernel's clock-tick resolution (10 ms on most systems, rounded so
// that the figure is never too small); -1 when the process's start time cannot be read.
long long millisecondsSinceProcessStart();

} // namespace cloud
