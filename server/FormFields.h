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
class FormFields
{
public:
    FormFields() = default;
    static FormFields parse(std::string_view gbkBody);
    // The query of a request target such as "/khd?act=ver" (the part after the first "?").
    static FormFields fromTarget(std::string_view target);

    bool has(std::string_view name) const;
    // Empty when the field is missing.
    std::string value(std::string_view name) const;
    const std::vector<std::pair<std::string, std::string>> &all() const { return m_fields; }

private:
    std::vector<std::pair<std::string, std::string>> m_fields;
};

} // namespace refservice
