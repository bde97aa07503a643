#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// How HttpEngine::fetchText reads a page in the charset the page declares.
namespace ReplyCharset {

// Characters of a page that are searched for its declaration.
inline constexpr std::size_t kSearchedCharacters = 1024;

// The charset a page declares in its first 1024 characters (`text` is UTF-8): the name
// after the first "charset=" that follows "<meta" and at least one more character on
// the same line, letter case ignored; one character that is not a letter, digit or "_"
// (a quote) may stand before the name, which is made of letters, digits, "_" and "-".
// Empty when there is none.
std::string declared(std::string_view text);

// `bytes` decoded from `charset` to UTF-8, up to the first zero character and without a
// leading byte-order mark; a sequence that is not valid in the charset becomes "?".
// Nothing when the charset is unknown.
std::optional<std::string> decode(std::string_view bytes, const std::string &charset);

} // namespace ReplyCharset

} // namespace cloud
