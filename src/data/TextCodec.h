#pragma once

#include <string>
#include <string_view>

namespace cloud {

// The conversions between the program's texts and the forms that the service and
// the platform calls want. Program text is UTF-8; "local" text is GBK bytes.
// Texts end at their first zero byte; byte arrays are counted.

// Decodes the \u escapes, the %u and % escapes and the backslash escapes of a reply
// text, keeping its line breaks and apostrophes. The decoding is the script one:
// the text is read as the body of a single-quoted string literal and passed through
// the script `unescape`. Characters that GBK cannot hold come back as "?", since the
// service's replies are meant for GBK texts. A text that does not form a literal (a
// lone CR inside, a backslash at the end, a malformed \x escape) is returned as it
// came.
std::string unescapeReply(std::string_view text);

// The script `escape` of a text that is first read as the body of a single-quoted
// string literal (apostrophes are turned into U+2019 beforehand, so they come out as
// %u2019). `brackets` turns the escapes of {}[]() back into the characters,
// `punctuation` those of : , and the double quote; a `prefix` other than "%u" (and
// not blank) replaces every "%u". A text that does not form a literal (a line break
// inside, a backslash at the end) escapes to empty text.
std::string escapeText(std::string_view text, bool brackets = false, bool punctuation = false,
                       std::string_view prefix = "%u");

// Byte-wise percent-encoding: zero bytes are skipped, a space becomes "+", every other
// byte "%XX" unless `keepUnreserved` keeps it (A-Z a-z 0-9 - . _ * ' ( ) stay).
std::string percentEncode(std::string_view bytes, bool keepUnreserved);

constexpr int kCodePageAnsi = 0; // the system's code page, which for this program is GBK
constexpr int kCodePageGbk = 936;
constexpr int kCodePageUtf8 = 65001;

// GBK text to UTF-16LE bytes with the terminating zero unit; `cut` leaves the
// terminator off. Bytes that are not GBK become "?".
std::string localToUtf16(std::string_view gbkText, bool cut = false);

// UTF-16LE bytes to bytes in `codePage` (GBK for 936 and 0, UTF-8 for 65001), up to
// the first zero byte. GBK gets "?" for what it cannot hold; a surrogate unit without
// its partner becomes "?" in GBK and U+FFFD in UTF-8. Any other code page gives empty.
std::string utf16ToCodePage(std::string_view utf16le, int codePage);

// UTF-16LE bytes to program text, passing through `codePage` when `useCodePage` is
// set and through the system's code page otherwise: with GBK, characters it cannot
// hold become "?".
std::string utf16ToText(std::string_view utf16le, int codePage = kCodePageGbk,
                        bool useCodePage = true);

// GBK text to UTF-8 bytes (which are also program text).
std::string localToUtf8(std::string_view gbkText);

} // namespace cloud
