#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Replaces `path` with `bytes` in one step: the bytes go to a temporary file in the same
// directory with the permission bits `mode`, reach the disk, and the file is then renamed
// over `path`. A reader never sees half a file, and a failed write leaves the old file as it
// was and no temporary behind. False on any failure.
bool replaceFileAtomically(const std::string &path, std::string_view bytes, unsigned mode);

// Writes all of `bytes` to the descriptor, going on after interrupted or partial writes.
bool writeFully(int fd, std::string_view bytes);

} // namespace cloud
