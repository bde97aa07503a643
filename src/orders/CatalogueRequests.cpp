#include "orders/CatalogueRequests.h"

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "orders/ListReply.h"

#include <algorithm>

namespace cloud::CatalogueRequests {
namespace {

std::string firstId(const std::string &reply)
{
    return ApiReply::recordText(parsedReply(reply), 0, "id");
}

} // namespace

std::optional<std::vector<std::string>> productTypes()
{
    const std::string reply = ApiClient::fromSession().getText(api::kProductTypes);
    if (reply.empty())
        return std::nullopt;
    const JsonDoc doc = parsedReply(reply);
    std::vector<std::string> names;
    for (std::size_t i = 0, n = recordsListed(doc); i < n; ++i)
        names.push_back(ApiReply::recordText(doc, i, "cplxmc"));
    return names;
}

std::string typeId(const std::string &typeName)
{
    return firstId(ApiClient::fromSession().postText(api::kProductTypes, "cplxmc=" + typeName));
}

std::string regionId(const std::string &regionName)
{
    return firstId(ApiClient::fromSession().postText(api::kRegionByName, "xlmc=" + regionName));
}

std::optional<std::vector<std::string>> regions(const std::string &typeName)
{
    // An unusable type lookup still asks for the regions, with an empty identifier.
    const std::string lookup = typeId(typeName);
    const std::string reply = ApiClient::fromSession().postText(api::kRegions, "lxid=" + lookup);
    if (reply.empty())
        return std::nullopt;
    const JsonDoc doc = parsedReply(reply);
    std::vector<std::string> names;
    for (std::size_t i = 0, n = recordsListed(doc); i < n; ++i) {
        std::string name = ApiReply::recordText(doc, i, "xlmc");
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

std::vector<ProductRecord> products(const std::string &regionName, const std::string &typeName)
{
    const ApiClient client = ApiClient::fromSession();
    const std::string regionReply = client.postText(api::kRegionByName, "xlmc=" + regionName);
    const std::string typeReply = client.postText(api::kProductTypes, "cplxmc=" + typeName);
    if (regionReply.empty() || typeReply.empty())
        return {};
    const std::string reply = client.postText(api::kProducts, "xlid=" + firstId(regionReply) +
                                                                  "&cplxid=" + firstId(typeReply));
    const JsonDoc doc = parsedReply(reply);
    std::vector<ProductRecord> records;
    for (std::size_t i = 0, n = recordsListed(doc); i < n; ++i)
        records.push_back(ProductRecord::fromReply(doc, i));
    return records;
}

} // namespace cloud::CatalogueRequests
