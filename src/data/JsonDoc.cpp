#include "data/JsonDoc.h"

#include "data/TextUtil.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <unordered_map>

namespace cloud {

using Value = nlohmann::ordered_json;

struct JsonDoc::Impl
{
    Value root = Value::object();
};

namespace {

// Deeper documents are refused, which keeps every recursive walk over a document shallow.
constexpr std::size_t kMaxDepth = 512;
constexpr std::string_view kBackslashPlaceholder = "\xE2\x90\x80"; // U+2400

std::string restoreBackslashes(std::string text)
{
    if (text.find(kBackslashPlaceholder) == std::string::npos)
        return text;
    return replaceAll(text, kBackslashPlaceholder, "\\");
}

// ---- Parsing ----

struct Parsed
{
    Value value;
    std::size_t depth = 0; // levels of nested arrays and objects
};

// Builds the tree itself so that numbers become doubles as a script engine holds them, and so
// that duplicate member names cost a hash lookup instead of a scan (the last value wins, in
// the first one's place).
class Builder final : public nlohmann::json_sax<Value>
{
public:
    Parsed parsed;

    bool null() override { return put(Value()); }
    bool boolean(bool b) override { return put(b); }
    bool number_integer(number_integer_t n) override { return put(static_cast<double>(n)); }
    bool number_unsigned(number_unsigned_t n) override { return put(static_cast<double>(n)); }
    bool number_float(number_float_t n, const string_t &) override { return put(n); }
    bool string(string_t &s) override { return put(std::move(s)); }
    bool binary(binary_t &) override { return false; }
    bool start_object(std::size_t) override { return open(Value::object()); }
    bool key(string_t &k) override
    {
        open_.back().key = std::move(k);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(Value::array()); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string &, const nlohmann::detail::exception &) override
    {
        return false;
    }

private:
    struct Container
    {
        Value *node;
        std::string key;
        std::unordered_map<std::string, std::size_t> positions;
    };
    std::vector<Container> open_;

    Value *place(Value &&v)
    {
        if (open_.empty())
            return &(parsed.value = std::move(v));
        Container &c = open_.back();
        if (c.node->is_array())
            return &c.node->get_ref<Value::array_t &>().emplace_back(std::move(v));
        auto &members = c.node->get_ref<Value::object_t &>();
        auto [it, added] = c.positions.try_emplace(c.key, members.size());
        if (!added)
            return &(std::next(members.begin(), it->second)->second = std::move(v));
        return &members.emplace_back(std::move(c.key), std::move(v)).second;
    }
    bool put(Value &&v)
    {
        place(std::move(v));
        return true;
    }
    bool open(Value &&container)
    {
        if (open_.size() >= kMaxDepth)
            return false;
        open_.push_back({place(std::move(container)), {}, {}});
        parsed.depth = std::max(parsed.depth, open_.size());
        return true;
    }
    bool close()
    {
        open_.pop_back();
        return true;
    }
};

std::optional<Parsed> parseValue(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    Builder builder;
    try {
        if (!Value::sax_parse(text, &builder))
            return std::nullopt;
    } catch (const std::exception &) {
        return std::nullopt;
    }
    return std::move(builder.parsed);
}

// ---- Writing ----

// Number.prototype.toString: the shortest digits that read back as the same double, in plain
// notation from 1e-6 up to below 1e21 and in exponent notation outside.
std::string scriptNumber(double x)
{
    if (std::isnan(x))
        return "NaN";
    if (x == 0)
        return "0"; // -0 as well
    if (std::isinf(x))
        return x < 0 ? "-Infinity" : "Infinity";
    char buf[40];
    const auto end =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific).ptr;
    const std::string_view sci(buf, end - buf); // d[.ddd]e±XX
    const std::size_t e = sci.find('e');
    std::string digits(1, sci[0]);
    if (e > 1)
        digits.append(sci.substr(2, e - 2));
    int exp10 = 0;
    std::from_chars(sci.data() + e + 2, end, exp10);
    if (sci[e + 1] == '-')
        exp10 = -exp10;
    const int k = static_cast<int>(digits.size());
    const int n = exp10 + 1; // the value is 0.digits × 10^n
    std::string out = x < 0 ? "-" : "";
    if (k <= n && n <= 21)
        return out + digits + std::string(n - k, '0');
    if (0 < n && n <= 21)
        return out + digits.substr(0, n) + "." + digits.substr(n);
    if (-6 < n && n <= 0)
        return out + "0." + std::string(-n, '0') + digits;
    out += digits.substr(0, 1);
    if (k > 1)
        out += "." + digits.substr(1);
    return out + (n > 0 ? "e+" : "e-") + std::to_string(std::abs(n - 1));
}

// The letter of JSON's two-character escape for `c`, or 0.
char shortEscape(char c)
{
    switch (c) {
    case '"':
        return '"';
    case '\\':
        return '\\';
    case '\b':
        return 'b';
    case '\f':
        return 'f';
    case '\n':
        return 'n';
    case '\r':
        return 'r';
    case '\t':
        return 't';
    default:
        return 0;
    }
}

// The U+2400 placeholder is turned into the backslash it stands for before escaping, so the
// JSON text stays valid and says what textAt says.
void writeQuoted(std::string_view raw, std::string &out)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : restoreBackslashes(std::string(raw))) {
        const auto c = static_cast<unsigned char>(ch);
        if (const char letter = shortEscape(ch))
            out += {'\\', letter};
        else if (c < 0x20)
            out += {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]};
        else
            out += ch;
    }
    out += '"';
}

template <class Write> void writeElements(const Value &array, std::string &out, Write write)
{
    for (std::size_t i = 0; i < array.size(); ++i) {
        if (i > 0)
            out += ',';
        write(array[i], out);
    }
}

void writeJson(const Value &v, std::string &out)
{
    if (v.is_string()) {
        writeQuoted(v.get_ref<const std::string &>(), out);
    } else if (v.is_number()) {
        const double x = v.get<double>();
        out += std::isfinite(x) ? scriptNumber(x) : "null";
    } else if (v.is_boolean()) {
        out += v.get<bool>() ? "true" : "false";
    } else if (v.is_array()) {
        out += '[';
        writeElements(v, out, writeJson);
        out += ']';
    } else if (v.is_object()) {
        out += '{';
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (it != v.begin())
                out += ',';
            writeQuoted(it.key(), out);
            out += ':';
            writeJson(it.value(), out);
        }
        out += '}';
    } else {
        out += "null";
    }
}

// The script engine's string conversion; arrays flatten, null elements stay empty.
void writePlain(const Value &v, std::string &out)
{
    if (v.is_string())
        out += v.get_ref<const std::string &>();
    else if (v.is_number())
        out += scriptNumber(v.get<double>());
    else if (v.is_boolean())
        out += v.get<bool>() ? "true" : "false";
    else if (v.is_object())
        out += "[object Object]";
    else if (v.is_array())
        writeElements(v, out, writePlain);
}

std::string plainText(const Value &v)
{
    std::string out;
    writePlain(v, out);
    return restoreBackslashes(std::move(out));
}

std::string jsonText(const Value &v)
{
    std::string out;
    writeJson(v, out);
    return out;
}

// ---- Paths ----

struct Step
{
    std::string name; // a member, or the decimal text of an index
    std::optional<std::size_t> index;
};
using Steps = std::vector<Step>;

std::optional<std::size_t> indexValue(std::string_view digits)
{
    std::size_t value = 0;
    const char *end = digits.data() + digits.size();
    const bool leadingZero = digits.size() > 1 && digits[0] == '0';
    const auto r = std::from_chars(digits.data(), end, value);
    if (digits.empty() || leadingZero || r.ec != std::errc() || r.ptr != end)
        return std::nullopt;
    return value;
}

// Steps of `text`, which starts with a member name when `memberFirst` and otherwise with
// "." or "[" (or is empty).
std::optional<Steps> parseSteps(std::string_view text, bool memberFirst)
{
    Steps steps;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            const std::size_t close = text.find(']', i);
            const auto index =
                close == text.npos ? std::nullopt : indexValue(text.substr(i + 1, close - i - 1));
            if (!index)
                return std::nullopt;
            steps.push_back({std::to_string(*index), index});
            i = close + 1;
        } else if (text[i] == '.' || (memberFirst && i == 0)) {
            const std::size_t from = (memberFirst && i == 0) ? 0 : i + 1;
            const std::size_t end = std::min(text.find_first_of(".[]", from), text.size());
            if (end == from)
                return std::nullopt;
            steps.push_back({std::string(text.substr(from, end - from)), std::nullopt});
            i = end;
        } else {
            return std::nullopt;
        }
    }
    return steps;
}

template <class V> V *walk(V &root, const Steps &steps, std::size_t count)
{
    V *node = &root;
    for (std::size_t i = 0; i < count && node; ++i) {
        const Step &step = steps[i];
        if (step.index && node->is_array())
            node = *step.index < node->size() ? &(*node)[*step.index] : nullptr;
        else if (node->is_object()) {
            const auto it = node->find(step.name);
            node = it != node->end() ? &*it : nullptr;
        } else {
            node = nullptr;
        }
    }
    return node;
}

template <class V> V *walk(V &root, const Steps &steps)
{
    return walk(root, steps, steps.size());
}

bool startsWithRoot(std::string_view path)
{
    return path.starts_with("da") && (path.size() == 2 || path[2] == '.' || path[2] == '[');
}

// The steps a path stands for. Written from the root ("da..."), it counts as such when that
// finds a non-null value (for a setter: the value's parent); otherwise it is relative to the
// root. `keep` is the number of trailing steps left out of that test.
std::optional<Steps> stepsFor(const Value &root, std::string_view path, std::size_t keep = 0)
{
    if (startsWithRoot(path)) {
        if (auto steps = parseSteps(path.substr(2), false)) {
            const Value *found = walk(root, *steps, steps->size() - std::min(keep, steps->size()));
            if (found && !found->is_null())
                return steps;
        }
    }
    return parseSteps(path, !path.empty() && path[0] != '[');
}

const Value *find(const Value &root, std::string_view path)
{
    const auto steps = stepsFor(root, path);
    return steps ? walk(root, *steps) : nullptr;
}

// ---- Editing ----

// Keeps the nesting of an edited document within kMaxDepth: a value placed below `level`
// enclosing containers may add `depth` more.
bool fitsDepth(std::size_t level, std::size_t depth)
{
    return level + depth <= kMaxDepth;
}

void assign(Value &slot, Value &&v, bool merge)
{
    if (merge && slot.is_object() && v.is_object()) {
        for (auto &[key, member] : v.items())
            slot[key] = std::move(member);
    } else if (merge && slot.is_array()) {
        if (v.is_array())
            std::move(v.begin(), v.end(), std::back_inserter(slot.get_ref<Value::array_t &>()));
        else
            slot.push_back(std::move(v));
    } else {
        slot = std::move(v);
    }
}

// The place a value goes to: an existing member or element, a new member, or the end of an
// array.
Value *slotFor(Value &parent, const Step &step)
{
    if (step.index && parent.is_array()) {
        if (*step.index == parent.size())
            parent.push_back(nullptr);
        return *step.index < parent.size() ? &parent[*step.index] : nullptr;
    }
    return parent.is_object() ? &parent[step.name] : nullptr;
}

bool setAt(Value &root, std::string_view path, Parsed &&parsed, bool merge)
{
    const auto steps = stepsFor(root, path, 1);
    // One level more than the path, for a value appended to an array in place.
    if (!steps || !fitsDepth(steps->size() + 1, parsed.depth))
        return false;
    Value *slot = &root;
    if (!steps->empty()) {
        Value *parent = walk(root, *steps, steps->size() - 1);
        slot = parent ? slotFor(*parent, steps->back()) : nullptr;
    }
    if (!slot)
        return false;
    assign(*slot, std::move(parsed.value), merge);
    return true;
}

Value::array_t *arrayAt(Value &root, std::string_view path, std::size_t &level)
{
    const auto steps = stepsFor(root, path);
    Value *node = steps ? walk(root, *steps) : nullptr;
    if (!node || !node->is_array())
        return nullptr;
    level = steps->size() + 1;
    return &node->get_ref<Value::array_t &>();
}

// Runs `edit` on the array a path names and the value a JSON text holds; false when either is
// missing or the edit refuses.
template <class Edit>
bool editArray(Value &root, std::string_view path, std::string_view json, Edit edit)
{
    std::size_t level = 0;
    Value::array_t *array = arrayAt(root, path, level);
    auto parsed = parseValue(json);
    if (!array || !parsed || !fitsDepth(level, parsed->depth))
        return false;
    return edit(*array, std::move(parsed->value));
}

void collectLeaves(const Value &v, bool recursive, std::vector<std::string> &out)
{
    for (const Value &child : v) {
        if (child.is_primitive() && !child.is_null())
            out.push_back(plainText(child));
        else if (recursive && child.is_structured())
            collectLeaves(child, true, out);
    }
}

} // namespace

// ---- JsonDoc ----

JsonDoc::JsonDoc() : d(std::make_unique<Impl>())
{}
JsonDoc::~JsonDoc() = default;
JsonDoc::JsonDoc(const JsonDoc &other) : d(std::make_unique<Impl>(other.impl()))
{}
JsonDoc &JsonDoc::operator=(const JsonDoc &other)
{
    if (this != &other)
        *this = JsonDoc(other);
    return *this;
}
JsonDoc::JsonDoc(JsonDoc &&other) noexcept = default;
JsonDoc &JsonDoc::operator=(JsonDoc &&other) noexcept = default;

const JsonDoc::Impl &JsonDoc::impl() const
{
    static const Impl null{Value()};
    return d ? *d : null;
}

JsonDoc::Impl &JsonDoc::impl()
{
    if (!d)
        d = std::make_unique<Impl>(Impl{Value()});
    return *d;
}

bool JsonDoc::parse(std::string_view text)
{
    auto parsed = parseValue(text);
    impl().root = parsed ? std::move(parsed->value) : Value();
    return !impl().root.is_null();
}

std::string JsonDoc::textAt(std::string_view path, bool json) const
{
    if (json)
        return jsonAt(path);
    const Value *v = find(impl().root, path);
    return v ? plainText(*v) : std::string();
}

std::string JsonDoc::jsonAt(std::string_view path) const
{
    const Value *v = find(impl().root, path);
    return v ? jsonText(*v) : std::string();
}

int JsonDoc::typeAt(std::string_view path) const
{
    const Value *v = find(impl().root, path);
    if (!v || v->is_null())
        return Absent;
    if (v->is_boolean())
        return Boolean;
    if (v->is_number())
        return Number;
    if (v->is_object())
        return Object;
    if (v->is_array())
        return Array;
    return v->is_string() ? String : Other;
}

JsonDoc JsonDoc::subDocument(std::string_view path) const
{
    JsonDoc doc;
    const Value *v = find(impl().root, path);
    doc.impl().root = v ? *v : Value();
    return doc;
}

std::string JsonDoc::toJson() const
{
    return jsonAt({});
}

std::string JsonDoc::valueText(std::string &reply, std::string_view path)
{
    std::erase_if(reply, [](char c) { return c == '\r' || c == '\n'; });
    JsonDoc doc;
    if (!doc.parse(reply))
        return "JSON解析失败";
    // A number's JSON text is its bare digits, as is a boolean's; null reads "null".
    return doc.typeAt(path) == String ? doc.textAt(path) : doc.jsonAt(path);
}

void JsonDoc::reset()
{
    impl().root = Value::object();
}

bool JsonDoc::setText(std::string_view path, std::string_view text)
{
    return setAt(impl().root, path, Parsed{Value(std::string(text)), 0}, false);
}

bool JsonDoc::setJson(std::string_view path, std::string_view json, bool merge)
{
    auto parsed = parseValue(json);
    return parsed && setAt(impl().root, path, std::move(*parsed), merge);
}

bool JsonDoc::exists(std::string_view path) const
{
    return find(impl().root, path) != nullptr;
}

std::string JsonDoc::memberNames(std::string_view path) const
{
    const Value *v = find(impl().root, path);
    std::string names;
    if (!v || !v->is_object())
        return names;
    for (auto it = v->begin(); it != v->end(); ++it)
        names += (it == v->begin() ? "" : "\r\n") + it.key();
    return restoreBackslashes(std::move(names));
}

std::size_t JsonDoc::count(std::string_view path) const
{
    const Value *v = find(impl().root, path);
    return v && v->is_array() ? v->size() : 0;
}

bool JsonDoc::append(std::string_view path, std::string_view json)
{
    return editArray(impl().root, path, json, [](Value::array_t &a, Value &&v) {
        a.push_back(std::move(v));
        return true;
    });
}

bool JsonDoc::prepend(std::string_view path, std::string_view json)
{
    return editArray(impl().root, path, json, [](Value::array_t &a, Value &&v) {
        a.insert(a.begin(), std::move(v));
        return true;
    });
}

bool JsonDoc::setElement(std::string_view path, std::size_t index, std::string_view json)
{
    return editArray(impl().root, path, json, [index](Value::array_t &a, Value &&v) {
        if (index >= a.size())
            return false;
        a[index] = std::move(v);
        return true;
    });
}

bool JsonDoc::insertElement(std::string_view path, std::size_t index, std::string_view json)
{
    return editArray(impl().root, path, json, [index](Value::array_t &a, Value &&v) {
        if (index > a.size())
            return false;
        a.insert(a.begin() + static_cast<std::ptrdiff_t>(index), std::move(v));
        return true;
    });
}

bool JsonDoc::removeElement(std::string_view path, std::size_t index)
{
    std::size_t level = 0;
    Value::array_t *array = arrayAt(impl().root, path, level);
    if (!array || index >= array->size())
        return false;
    array->erase(array->begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool JsonDoc::removeMember(std::string_view path)
{
    Value &root = impl().root;
    const auto steps = stepsFor(root, path, 1);
    if (!steps || steps->empty())
        return false;
    Value *parent = walk(root, *steps, steps->size() - 1);
    return parent && parent->is_object() && parent->erase(steps->back().name) > 0;
}

std::string JsonDoc::evaluate(std::string_view expression) const
{
    const auto steps =
        startsWithRoot(expression) ? parseSteps(expression.substr(2), false) : std::nullopt;
    const Value *v = steps ? walk(impl().root, *steps) : nullptr;
    return v ? plainText(*v) : std::string();
}

std::vector<std::string> JsonDoc::leaves(std::string_view path, bool recursive) const
{
    std::vector<std::string> out;
    const Value *v = find(impl().root, path);
    if (v && v->is_primitive() && !v->is_null())
        out.push_back(plainText(*v));
    else if (v && v->is_structured())
        collectLeaves(*v, recursive, out);
    return out;
}

} // namespace cloud
