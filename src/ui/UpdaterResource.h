#pragma once

#include <string>

namespace cloud {

// Writes the updater program the client carries to `path` (normally "update.exe" in
// the program directory) as a program file, replacing any earlier copy. False when
// the program is not carried or the file cannot be written; callers go on either way.
bool writeUpdaterProgram(const std::string &path);

} // namespace cloud
