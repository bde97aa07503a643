#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace refservice {

// Undoes the script-style escape the client applies to texts it cannot send as they are
// (the legal name of the real-name verification): "%uXXXX" is one UTF-16 unit, "%XX" one
// character below 256. The client rewrites "%u" as "%25u" so that the escape survives one
// round of percent-decoding; the service reads both forms. Characters that arrive unescaped
// are kept.
class ScriptUnescape
{
public:
    // The UTF-8 text of a UTF-8 input; nullopt when the escapes name a broken UTF-16
    // sequence (a surrogate without its partner). A "%" that starts no escape stays as it is.
    static std::optional<std::string> decode(std::string_view text);
};

} // namespace refservice
