#pragma once

#include <string>
#include <string_view>

namespace cloud {

// Conversions between the program's UTF-8 text and UTF-16 code units, the form the
// script string rules and the platform's wide-character calls work on.

// A byte that does not start or continue a valid UTF-8 sequence (stray continuation
// byte, overlong form, encoded surrogate, value above U+10FFFF, cut-off sequence)
// becomes U+FFFD, one per offending byte.
std::u16string utf8ToUtf16(std::string_view utf8);

// A surrogate unit without its partner becomes U+FFFD, so that text made from
// arbitrary 16-bit units is always valid UTF-8.
std::string utf16ToUtf8(std::u16string_view utf16);

// UTF-16LE bytes to code units; a trailing odd byte is not a unit and is dropped.
std::u16string utf16FromLeBytes(std::string_view bytes);
std::string utf16ToLeBytes(std::u16string_view units);

} // namespace cloud
