#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Writes `bytes` to `path` as a program file (mode 0755), replacing any existing
// file in one step: the bytes go to a temporary file in the same directory, which
// is then renamed over `path`. A copy that is running keeps its own file, and a
// failed write leaves the old file as it was. False on any failure.
bool writeExecutableFile(const std::string &path, std::string_view bytes);

} // namespace cloud
