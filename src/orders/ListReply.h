#pragma once

#include "api/ApiReply.h"
#include "data/JsonDoc.h"

#include <algorithm>
#include <cstddef>

namespace cloud {

// How many records of a list reply to read: its `count`, but never more than its `data`
// array holds, so that a count larger than the list neither adds blank entries nor keeps
// the client appending for ever.
inline std::size_t recordsListed(const JsonDoc &doc)
{
    const auto count = ApiReply::listCount(doc);
    if (count <= 0)
        return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(count), doc.count("data"));
}

// The reply parsed; a text that is not JSON gives the null document, which reads as
// empty texts and a count of 0.
inline JsonDoc parsedReply(const std::string &reply)
{
    JsonDoc doc;
    doc.parse(reply);
    return doc;
}

} // namespace cloud
