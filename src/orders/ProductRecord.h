#pragma once

#include "data/JsonDoc.h"

#include <array>
#include <cstddef>
#include <string>

namespace cloud {

// One product model of the catalogue, every field the text the service gave (a JSON number
// as its decimal text, a missing field as empty text).
struct ProductRecord
{
    static constexpr int kColumns = 9;
    // The list column that keeps the identifier; it is not shown.
    static constexpr int kIdColumn = 6;

    std::string model;     // VPStype
    std::string cpu;       // CpuNum, cores
    std::string memory;    // MAXRAM, megabytes
    std::string disk;      // MAXSPACE, gigabytes
    std::string bandwidth; // Maxmbps8, megabits per second
    std::string month;     // month, yuan
    std::string id;        // id, sent back by the purchase
    std::string source;    // zy
    std::string kind;      // lx

    // Record `index` of a product-list reply.
    static ProductRecord fromReply(const JsonDoc &doc, std::size_t index);
    // The texts of the list's nine columns: 2核, 2048M, 40G, 5M, 30元/月, ...
    std::array<std::string, kColumns> columnTexts() const;
};

} // namespace cloud
