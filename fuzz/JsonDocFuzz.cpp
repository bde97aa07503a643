#include "data/JsonDoc.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Input: a path, a newline, then the JSON text. Queries and edits must never crash, and what
// toJson writes must parse again to the same text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view path =
        newline == input.npos ? std::string_view() : input.substr(0, newline);
    const std::string_view json = newline == input.npos ? input : input.substr(newline + 1);

    cloud::JsonDoc doc;
    doc.parse(json);
    for (const std::string_view p :
         {path, std::string_view("data[0].id"), std::string_view("da")}) {
        (void)doc.textAt(p);
        (void)doc.typeAt(p);
        (void)doc.leaves(p, true);
        (void)doc.memberNames(p);
        (void)doc.subDocument(p).toJson();
    }
    const std::string text = doc.toJson();
    if (text != "null") {
        cloud::JsonDoc again;
        if (!again.parse(text) || again.toJson() != text)
            __builtin_trap();
    }

    doc.setJson(path, json, true);
    doc.append(path, json);
    doc.insertElement(path, 1, json);
    doc.removeMember(path);
    (void)doc.toJson();

    std::string reply(json);
    (void)cloud::JsonDoc::valueText(reply, path);
    return 0;
}
