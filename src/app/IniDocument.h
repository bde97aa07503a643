#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// The content of one private-profile settings file, held as the GBK bytes of the
// file. Lookups follow the platform's rules: section and key names match without
// regard to ASCII case, blanks around names, '=' and values do not count, the
// first of two equal sections or keys is the one that counts, and lines ending in
// CR LF, LF or nothing at all read alike. Changes touch only the line they concern.
//
// Names are given as GBK bytes, already stripped of surrounding blanks.
class IniDocument
{
public:
    explicit IniDocument(std::string gbkBytes);

    // The value bytes of `key` in `section` with one pair of surrounding matching
    // quotes removed; nothing when the section or key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Sets `key` in `section` to `value` (GBK, free of line breaks), adding the
    // section at the end and the key after the section's last line when missing.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string &bytes() const { return m_bytes; }

private:
    enum class Kind { Blank, Section, Key };
    struct Line
    {
        std::size_t begin = 0;      // first byte of the line
        std::size_t contentEnd = 0; // where the line break starts
        std::size_t end = 0;        // first byte after the line break
        Kind kind = Kind::Blank;
        std::string name;  // section or key name
        std::string value; // key value, blanks trimmed
    };

    void parse();
    void classify(Line &line) const;
    // Index of the first line of the first section called `section`, or npos.
    std::size_t findSection(std::string_view section) const;
    std::size_t findKey(std::size_t sectionLine, std::string_view key) const;
    std::string_view lineBreak() const;

    std::string m_bytes;
    std::vector<Line> m_lines;
};

} // namespace cloud
