#include "api/ApiReply.h"

#include "data/TextCodec.h"
#include "data/TextUtil.h"

namespace cloud::ApiReply {

bool isCode(std::string_view reply, std::string_view code)
{
    return reply == code;
}

std::string decodedCode(std::string_view reply)
{
    return unescapeReply(reply);
}

std::string jsonText(const JsonDoc &doc, std::string_view path)
{
    return doc.subDocument(path).toJson();
}

std::int64_t integerAt(const JsonDoc &doc, std::string_view path)
{
    return integerValue(jsonText(doc, path));
}

bool statusSucceeded(const JsonDoc &doc)
{
    return jsonText(doc, "status") == "200";
}

std::int64_t listCount(const JsonDoc &doc)
{
    return integerAt(doc, "count");
}

std::string recordPath(std::size_t index, std::string_view field)
{
    return "data[" + std::to_string(index) + "]." + std::string(field);
}

std::string recordText(const JsonDoc &doc, std::size_t index, std::string_view field)
{
    return doc.textAt(recordPath(index, field));
}

std::string recordJson(const JsonDoc &doc, std::size_t index, std::string_view field)
{
    return jsonText(doc, recordPath(index, field));
}

std::string dataField(const JsonDoc &doc, std::string_view field)
{
    return doc.textAt("data." + std::string(field));
}

std::int64_t pageCount(std::int64_t total, std::int64_t perPage)
{
    if (total < 1 || perPage < 1)
        return 0;
    return total / perPage + (total % perPage != 0 ? 1 : 0);
}

} // namespace cloud::ApiReply
