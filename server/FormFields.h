#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace refservice {

// The fields of a form body or a query string as the client sends them: name "=" value
// pairs joined by "&", GBK bytes, no percent-encoding. Names and values are converted to
// UTF-8 and are never percent-decoded, because a client value may itself contain "%".
//
// The form is ambiguous: a value that contains "&" or "=" cannot be told from a field
// boundary. The rule is the common one: split at every "&"; the name ends at the first "=",
// the rest (further "=" included) is the value; a piece without "=" is a name with an empty
// value. So "password=a&b" gives password "a" and an empty field "b". Empty pieces are
// skipped. When a name repeats, value() gives the first.
//
// A form whose fields are known can be read more faithfully: parse() with `knownNames` starts
// a new field only at a piece "name=..." whose name is one of them and has not appeared yet;
// every other piece, empty ones included, belongs to the value before it, "&" and all. So
// with the names username, password and captcha, "password=a&b&&c=d&captcha=7" gives password
// "a&b&&c=d" and captcha "7". What stays ambiguous is a value holding "&" + a later field's
// name + "="; the field wins. A piece before the first field stands on its own, and a
// trailing "&" belongs to the last value.
class FormFields
{
public:
    FormFields() = default;
    static FormFields parse(std::string_view gbkBody);
    static FormFields parse(std::string_view gbkBody,
                            const std::vector<std::string_view> &knownNames);
    // The query of a request target such as "/khd?act=ver" (the part after the first "?").
    static FormFields fromTarget(std::string_view target);

    bool has(std::string_view name) const;
    // Empty when the field is missing.
    std::string value(std::string_view name) const;
    const std::vector<std::pair<std::string, std::string>> &all() const { return m_fields; }

private:
    using RawPiece = std::pair<std::string_view, std::string_view>;
    static std::vector<std::string_view> pieces(std::string_view gbkBody);
    static RawPiece split(std::string_view piece);
    void add(std::string_view gbkName, std::string_view gbkValue);

    std::vector<std::pair<std::string, std::string>> m_fields;
};

} // namespace refservice
