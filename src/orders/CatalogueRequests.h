#pragma once

#include "orders/ProductRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace cloud {

// The catalogue's calls. Each blocks its calling thread (a worker) and gives what the page
// shows. Names travel exactly as the drop-down lists show them; type and region identifiers
// are looked up by name each time and never kept.
namespace CatalogueRequests {

// The product type names, in the service's order; nothing when there was no reply (the
// list then keeps what it has).
std::optional<std::vector<std::string>> productTypes();

// The identifier of a type or region name; empty text when the reply has none.
std::string typeId(const std::string &typeName);
std::string regionId(const std::string &regionName);

// The region lines of a type, each name once, in the order of first occurrence; nothing
// when there was no reply.
std::optional<std::vector<std::string>> regions(const std::string &typeName);

// The product models of a type and region; empty when a reply was missing.
std::vector<ProductRecord> products(const std::string &regionName, const std::string &typeName);

} // namespace CatalogueRequests

} // namespace cloud
