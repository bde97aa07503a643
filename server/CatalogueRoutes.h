#pragma once

namespace refservice {

class RouteTable;
struct ServiceContext;

// The catalogue the client browses before buying: product types ("/user/cplxlist"), their
// region lines ("/user/xllist", "/user/xlmchq"), the products of a type and line
// ("/user/ycplist") and a product's prices ("/user/ycpjgb") and systems ("/user/ycpos").
// Every answer is a list object: `count` (a number) and the array `data`.
void installCatalogueRoutes(RouteTable &routes, ServiceContext &context);

} // namespace refservice
