#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cloud {

// Shared text helpers. Positions count from 1; a failed search gives empty text.

// Text after the first `left` (searched from `start`) and before the next `right` after it.
// The token "#引号" in a marker stands for a double-quote character.
std::string textBetween(std::string_view text, std::string_view left, std::string_view right,
                        std::size_t start = 1, bool caseInsensitive = false);
// Text before the first occurrence of `separator`; empty when it does not occur.
std::string textBefore(std::string_view text, std::string_view separator);
// Text after the last occurrence of `separator`; empty when it does not occur.
std::string textAfter(std::string_view text, std::string_view separator);

// The integer value of a text: its leading decimal digits, 0 when there are none.
// Saturates instead of overflowing.
std::int64_t integerValue(std::string_view text);
// Only the number 1 counts as a set flag ("01" is set, "yes" is not).
bool flagIsSet(std::string_view text);

std::string trimmed(std::string_view text);
std::string toLowerAscii(std::string_view text);
// Case-insensitive (ASCII) search; npos when absent.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);
std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

} // namespace cloud
