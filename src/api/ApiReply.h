#pragma once

#include "data/JsonDoc.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace cloud {

// How the service's replies are judged, by kind.
namespace ApiReply {

// A bare code: the whole text compared, case-sensitively ("1000\r\n" is not "1000").
bool isCode(std::string_view reply, std::string_view code);
// The code replies of the sign-in, key sign-in and SMS-code requests, which the service
// sends with script escapes: decoded before they are compared.
std::string decodedCode(std::string_view reply);

// A status JSON succeeds when `status` is the JSON number 200; the string "200" keeps its
// quotes in the JSON text and counts as failure.
bool statusSucceeded(const JsonDoc &doc);
// The JSON text of a value: a number's digits, a string's quoted text.
std::string jsonText(const JsonDoc &doc, std::string_view path);
// The integer value of a value's JSON text (a JSON string reads as 0).
std::int64_t integerAt(const JsonDoc &doc, std::string_view path);

// A list JSON: `count` as an integer (a missing key or a non-JSON reply gives 0), and the
// fields of record `index` of `data` by name.
std::int64_t listCount(const JsonDoc &doc);
std::string recordPath(std::size_t index, std::string_view field);
std::string recordText(const JsonDoc &doc, std::size_t index, std::string_view field);
std::string recordJson(const JsonDoc &doc, std::size_t index, std::string_view field);

// An object JSON: a named member of `data`.
std::string dataField(const JsonDoc &doc, std::string_view field);

// Number of pages for `total` records, `perPage` to a page, rounded up.
std::int64_t pageCount(std::int64_t total, std::int64_t perPage = 5);

} // namespace ApiReply

} // namespace cloud
