#include "data/TextCodec.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    (void)cloud::unescapeReply(text);
    const bool flag = size > 0 && (data[0] & 1);
    // The escaped form of anything is plain ASCII.
    for (char c : cloud::escapeText(text, flag, !flag, "%25u")) {
        if (static_cast<unsigned char>(c) >= 0x80)
            __builtin_trap();
    }
    (void)cloud::utf16ToText(text, flag ? cloud::kCodePageUtf8 : cloud::kCodePageGbk);
    (void)cloud::localToUtf8(text);
    if (cloud::percentEncode(text, flag).size() > size * 3)
        __builtin_trap();
    return 0;
}
