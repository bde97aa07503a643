#include "orders/ProductRecord.h"

#include "api/ApiReply.h"

namespace cloud {

ProductRecord ProductRecord::fromReply(const JsonDoc &doc, std::size_t index)
{
    const auto field = [&](const char *name) { return ApiReply::recordText(doc, index, name); };
    return {field("VPStype"),  field("CpuNum"),   field("MAXRAM"),
            field("MAXSPACE"), field("Maxmbps8"), field("month"),
            field("id"),       field("zy"),       field("lx")};
}

std::array<std::string, ProductRecord::kColumns> ProductRecord::columnTexts() const
{
    return {model,           cpu + "核", memory + "M", disk + "G", bandwidth + "M",
            month + "元/月", id,         source,       kind};
}

} // namespace cloud
