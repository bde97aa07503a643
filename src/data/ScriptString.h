#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cloud {

// The three pieces of script string handling that the escaping codecs are defined by,
// working on UTF-16 code units exactly as a script engine does.
class ScriptString
{
public:
    // The value of a single-quoted string literal whose body (the text between the
    // quotes) is `body`, read with the rules of a script engine in non-strict code:
    // single-character escapes, legacy octal escapes (\0, \12, \377), \8 and \9, \xHH,
    // \uHHHH and \u{H...}, line continuations, and any other escaped character
    // standing for itself. Nothing when the body does not form a literal: an
    // unescaped apostrophe, CR or LF, a malformed \x or \u escape, or a backslash at
    // the very end (which would escape the closing quote).
    static std::optional<std::u16string> parseLiteral(std::u16string_view body);

    // The script `escape`: letters, digits and @*_+-./ stay, other units below 256
    // become %XX, the rest %uXXXX (upper-case hexadecimal).
    static std::string escape(std::u16string_view units);

    // The script `unescape`: %uXXXX and %XX (either case of hexadecimal digit) become
    // the unit they name; a % that starts neither stays as it is.
    static std::u16string unescape(std::u16string_view units);
};

} // namespace cloud
