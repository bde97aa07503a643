#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// Ordered name/value pairs with which a request's form body or extra header lines
// are built. Duplicates are allowed and the order of insertion is kept everywhere.
class FieldList
{
public:
    // Appends a pair. `convert` marks the pair as UTF-8 text that must reach the wire
    // as UTF-8: the encoding renderings then escape its UTF-8 bytes instead of GBK.
    void add(std::string name, std::string value, bool convert = false);
    // Adds the pairs of a form text: pieces split at every "&", the name before the
    // first "=" and the value after the last "=" of each piece.
    void parseForm(std::string_view form, bool convert = false);

    // Value of the first pair named exactly `name`; empty text when none.
    std::string get(std::string_view name) const;
    // Replaces the value of the first pair named `name`, or appends the pair.
    void set(std::string_view name, std::string value);
    // Removes the first pair named `name`.
    void remove(std::string_view name);
    void clear();

    // "name=value" pairs joined by "&"; with `encode` names and values are percent-encoded.
    std::string toForm(bool encode = false) const;
    // "name: value" lines joined by CR LF; with `encode` the values are percent-encoded.
    std::string toHeaderBlock(bool encode = false) const;
    // A flat JSON object of the pairs, in order ({"a":"1","b":"2"}).
    std::string toJson() const;

    std::vector<std::string> names() const { return m_names; }
    std::vector<std::string> values() const { return m_values; }

private:
    std::string encoded(std::size_t index, const std::string &text) const;
    std::size_t indexOf(std::string_view name) const;

    std::vector<std::string> m_names;
    std::vector<std::string> m_values;
    std::vector<bool> m_utf8;
};

} // namespace cloud
