#include "platform/ExecutableFile.h"

#include "platform/AtomicFile.h"

namespace cloud {

bool writeExecutableFile(const std::string &path, std::string_view bytes)
{
    return replaceFileAtomically(path, bytes, 0755);
}

} // namespace cloud
