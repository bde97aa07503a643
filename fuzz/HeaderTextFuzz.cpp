#include "net/FieldList.h"
#include "net/HeaderText.h"
#include "net/HttpEngine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Header blocks, cookie texts, forms and URLs all come from outside the program.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::size_t half = text.size() / 2;
    (void)cloud::normalizeHeaderBlock(text);
    (void)cloud::extractSetCookies(text);
    (void)cloud::mergeCookieText(text.substr(0, half), text.substr(half));
    (void)cloud::HttpEngine::hostOfUrl(text, true);
    (void)cloud::HttpEngine::portOfUrl(text);
    (void)cloud::HttpEngine::pathOfUrl(text);
    cloud::FieldList fields;
    fields.parseForm(text, size % 2 == 0);
    (void)fields.toForm(true);
    (void)fields.toHeaderBlock(true);
    (void)fields.toJson();
    return 0;
}
