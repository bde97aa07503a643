#include "CatalogueRoutes.h"

#include "Database.h"
#include "Money.h"
#include "RecordId.h"
#include "Replies.h"
#include "RouteTable.h"
#include "ServiceContext.h"

#include "data/TextUtil.h"

#include <functional>
#include <string>
#include <vector>

namespace refservice {

namespace {

using Json = nlohmann::json;
using RowToJson = std::function<Json(const DbRow &)>;

Json listOf(const std::vector<DbRow> &rows, const RowToJson &convert)
{
    Json data = Json::array();
    for (const DbRow &row : rows)
        data.push_back(convert(row));
    return Json{{"code", 0}, {"msg", ""}, {"count", data.size()}, {"data", data}};
}

Json emptyList()
{
    return listOf({}, {});
}

// Stored sizes read "2G", "512M", "40G", "1T"; the client wants plain numbers in its units.
std::int64_t megabytes(const std::string &size)
{
    const std::int64_t n = cloud::integerValue(size);
    if (size.find('T') != std::string::npos)
        return n * 1024 * 1024;
    return size.find('G') != std::string::npos ? n * 1024 : n;
}

std::int64_t gigabytes(const std::string &size)
{
    const std::int64_t n = cloud::integerValue(size);
    return size.find('T') != std::string::npos ? n * 1024 : n;
}

Json typeJson(const DbRow &row)
{
    return {{"id", row.integer("id")}, {"cplxmc", row.text("name")}};
}

Json lineJson(const DbRow &row)
{
    return {{"id", row.integer("id")}, {"xlmc", row.text("name")}, {"dq", row.text("region")}};
}

Json productJson(const DbRow &row)
{
    return {{"id", row.integer("id")},
            {"VPStype", row.text("name")},
            {"CpuNum", cloud::integerValue(row.text("cpu"))},
            {"MAXRAM", megabytes(row.text("memory"))},
            {"MAXSPACE", gigabytes(row.text("disk"))},
            {"Maxmbps8", cloud::integerValue(row.text("bandwidth"))},
            {"fangyu", row.text("defense")},
            {"month", Money::priceText(row, "price_month_cents")},
            {"zy", row.text("source")},
            {"lx", row.text("kind")},
            {"kc", row.integer("stock")}};
}

Json priceJson(const DbRow &row)
{
    return {{"id", row.integer("id")},
            {"day", Money::priceText(row, "price_day_cents")},
            {"month", Money::priceText(row, "price_month_cents")},
            {"Annual", Money::priceText(row, "price_year_cents")}};
}

Json osJson(const DbRow &row)
{
    return {{"osid", row.integer("id")}, {"osname", row.text("name")}};
}

// Runs `sql` with the identifier field `name` of the form; an identifier that is no number
// finds nothing.
Json listById(Database &db, const httplib::Request &req, const char *name, const char *sql,
              const RowToJson &convert)
{
    const auto id = RecordId::parse(formFields(req).value(name));
    return id ? listOf(db.query(sql, {*id}), convert) : emptyList();
}

void installTypes(RouteTable &routes, Database &db)
{
    // Without a name the list of all types; with one, the lookup of that name.
    routes.getOrPost(
        "/user/cplxlist", RouteTable::Access::SignedIn,
        [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
            const FormFields form = formFields(req);
            if (!form.has("cplxmc")) {
                replyJson(res, listOf(db.query("SELECT id, name FROM product_types "
                                               "ORDER BY sort, id"),
                                      typeJson));
                return;
            }
            replyJson(res, listOf(db.query("SELECT id, name FROM product_types "
                                           "WHERE name = ?1",
                                           {form.value("cplxmc")}),
                                  typeJson));
        });
}

void installLines(RouteTable &routes, Database &db)
{
    routes.post("/user/xllist", RouteTable::Access::SignedIn,
                [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    replyJson(res, listById(db, req, "lxid",
                                            "SELECT l.id, l.name, l.region FROM lines l "
                                            "WHERE EXISTS (SELECT 1 FROM products p WHERE "
                                            "p.line_id = l.id AND p.type_id = ?1) "
                                            "ORDER BY l.sort, l.id",
                                            lineJson));
                });
    routes.post("/user/xlmchq", RouteTable::Access::SignedIn,
                [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    replyJson(res, listOf(db.query("SELECT id, name, region FROM lines "
                                                   "WHERE name = ?1",
                                                   {formFields(req).value("xlmc")}),
                                          lineJson));
                });
}

void installProducts(RouteTable &routes, Database &db)
{
    routes.post("/user/ycplist", RouteTable::Access::SignedIn,
                [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    const FormFields form = formFields(req);
                    const auto line = RecordId::parse(form.value("xlid"));
                    const auto type = RecordId::parse(form.value("cplxid"));
                    if (!line || !type) {
                        replyJson(res, emptyList());
                        return;
                    }
                    replyJson(res, listOf(db.query("SELECT * FROM products WHERE line_id = ?1 "
                                                   "AND type_id = ?2 ORDER BY sort, id",
                                                   {*line, *type}),
                                          productJson));
                });
}

void installProductDetails(RouteTable &routes, Database &db)
{
    routes.post("/user/ycpjgb", RouteTable::Access::SignedIn,
                [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    replyJson(res, listById(db, req, "id",
                                            "SELECT id, price_day_cents, price_month_cents, "
                                            "price_year_cents FROM products WHERE id = ?1",
                                            priceJson));
                });
    routes.post("/user/ycpos", RouteTable::Access::SignedIn,
                [&db](const httplib::Request &req, httplib::Response &res, const SessionData &) {
                    replyJson(res, listById(db, req, "id",
                                            "SELECT id, name FROM os_images WHERE product_id = ?1 "
                                            "ORDER BY sort, id",
                                            osJson));
                });
}

} // namespace

void installCatalogueRoutes(RouteTable &routes, ServiceContext &context)
{
    installTypes(routes, context.db);
    installLines(routes, context.db);
    installProducts(routes, context.db);
    installProductDetails(routes, context.db);
}

} // namespace refservice
