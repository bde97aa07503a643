#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// One parsed JSON reply, queried by path. Feature code never walks the tree itself.
//
// Paths: a sequence of steps; the first is a member name or a bracketed index, each later one
// "." plus a member name or a bracketed index: `count`, `data[0].id`, `[1].name`. A member name
// is any non-empty run of characters other than ".", "[" and "]"; an index is a decimal number
// without leading zeros (an index on an object reads the member of that name). The empty path
// is the root, and the root may be written "da": `da.count` is `count`. Written that way, a
// path counts from the root only when it then finds a non-null value; otherwise it is read as
// an ordinary path whose first member is "da". Names that merely begin with "da" (`data`) are
// ordinary members. A malformed path finds nothing.
//
// Numbers are held as doubles and written the way script engines print them (1000, 1.5,
// 1e+21, 1e-7); integers beyond 2^53 lose their low digits as they would there. Text is UTF-8
// in and out. Input text ends at its first zero byte; escaped zero characters inside string
// values (\u0000) are kept. Parsing is strict JSON; nesting deeper than 512 levels and numbers
// beyond the range of a double (1e400) make a text unparseable.
//
// Every U+2400 character in a result stands for a backslash and is delivered as one.
class JsonDoc
{
public:
    // Type codes of typeAt.
    enum Type {
        Absent = 0,
        Boolean = 1,
        Number = 2,
        Object = 4,
        Array = 5,
        String = 6,
        Other = -1
    };

    // An empty object. A moved-from document is null.
    JsonDoc();
    ~JsonDoc();
    JsonDoc(const JsonDoc &other);
    JsonDoc &operator=(const JsonDoc &other);
    JsonDoc(JsonDoc &&other) noexcept;
    JsonDoc &operator=(JsonDoc &&other) noexcept;

    // Replaces the document. False, with a null document, when the text does not parse;
    // "null" parses but also answers false.
    bool parse(std::string_view text);

    // Plain text of the value: a string as it is, a number as printed by a script engine,
    // "true"/"false", an array as its elements' plain texts joined by ",", an object as
    // "[object Object]"; empty for null or absent. With `json` the JSON text (jsonAt).
    std::string textAt(std::string_view path, bool json = false) const;
    // Compact JSON text in document order; "null" for null, empty when absent.
    std::string jsonAt(std::string_view path) const;
    // A Type code; Absent for null as well.
    int typeAt(std::string_view path) const;
    // An independent copy of the value; a null document when absent.
    JsonDoc subDocument(std::string_view path) const;
    std::string toJson() const;

    // One value of a reply: a string bare, anything else as its JSON text (empty when absent).
    // Removes CR and LF from `reply` first; "JSON解析失败" when the reply does not parse.
    static std::string valueText(std::string &reply, std::string_view path);

    // Back to the empty object.
    void reset();
    // Sets the value at a path to a string, or to a JSON text. The parent must exist; an
    // array index may be one past the end to append. With `merge`, an object value adds its
    // members to an object in place, and a value for an array in place is appended to it
    // (an array's elements one by one).
    bool setText(std::string_view path, std::string_view text);
    bool setJson(std::string_view path, std::string_view json, bool merge = false);
    // True when the path finds a value, null included.
    bool exists(std::string_view path) const;
    // Member names of an object joined by CR LF; empty for anything else.
    std::string memberNames(std::string_view path) const;
    // Number of elements of an array; 0 for anything else.
    std::size_t count(std::string_view path) const;
    // Array editing; values are JSON texts. False when the path is no array or the index does
    // not fit (insertElement accepts the end).
    bool append(std::string_view path, std::string_view json);
    bool prepend(std::string_view path, std::string_view json);
    bool setElement(std::string_view path, std::size_t index, std::string_view json);
    bool insertElement(std::string_view path, std::size_t index, std::string_view json);
    bool removeElement(std::string_view path, std::size_t index);
    // Removes the member a path names; false when there is none.
    bool removeMember(std::string_view path);
    // Plain text of a path expression written from the root: "da", "da.count", "da[0].id".
    // Nothing else is evaluated; other expressions give empty text.
    std::string evaluate(std::string_view expression) const;
    // Plain texts of the string, number and boolean values under a path, in document order:
    // the value itself when it is one, else its direct elements or members, descending into
    // nested arrays and objects when `recursive`.
    std::vector<std::string> leaves(std::string_view path, bool recursive = false) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;

    // A moved-from document has no Impl: it reads as null and gets one again when edited.
    const Impl &impl() const;
    Impl &impl();
};

} // namespace cloud
