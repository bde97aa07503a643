#include "data/TextUtil.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    (void)cloud::textBetween(text, "[", "]", 1, true);
    (void)cloud::integerValue(text);
    return 0;
}
