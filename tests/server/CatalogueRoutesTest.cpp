#include "ShopFixture.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

namespace {

class CatalogueRoutesTest : public ::testing::Test
{
protected:
    ShopService service;
    httplib::Headers user = service.session(1);

    nlohmann::json post(const std::string &path, const std::string &body)
    {
        return ShopService::json(service.post(path, body, user));
    }
};

} // namespace

TEST_F(CatalogueRoutesTest, TypesAreListedAndLookedUpByName)
{
    const auto list = ShopService::json(service.get("/user/cplxlist", user));
    ASSERT_EQ(list["count"], 4);
    EXPECT_EQ(list["data"][0]["cplxmc"], "香港云服务器");
    EXPECT_EQ(list["data"].size(), 4u);

    const auto found = post("/user/cplxlist", "cplxmc=国内高防云");
    ASSERT_EQ(found["count"], 1);
    EXPECT_EQ(found["data"][0]["id"], 2);
    for (const char *body : {"cplxmc=没有这个", "cplxmc="})
        EXPECT_EQ(post("/user/cplxlist", body)["count"], 0) << body;
}

TEST_F(CatalogueRoutesTest, LinesOfATypeAndTheirLookup)
{
    const auto lines = post("/user/xllist", "lxid=1");
    ASSERT_EQ(lines["count"], 2);
    EXPECT_EQ(lines["data"][0]["xlmc"], "香港CN2");
    EXPECT_EQ(lines["data"][1]["xlmc"], "香港BGP");
    // The GPU type has products on two lines, one of them shared with another type.
    EXPECT_EQ(post("/user/xllist", "lxid=4")["count"], 2);
    for (const char *body : {"lxid=99", "lxid=", "lxid=1 OR 1=1", "lxid=abc"})
        EXPECT_EQ(post("/user/xllist", body)["count"], 0) << body;

    const auto line = post("/user/xlmchq", "xlmc=宿迁电信");
    ASSERT_EQ(line["count"], 1);
    EXPECT_EQ(line["data"][0]["id"], 3);
    EXPECT_EQ(post("/user/xlmchq", "xlmc=火星")["count"], 0);
}

TEST_F(CatalogueRoutesTest, ProductsCarryTheNineColumnsInTheClientsUnits)
{
    const auto products = post("/user/ycplist", "xlid=1&cplxid=1");
    ASSERT_EQ(products["count"], 2);
    const auto &basic = products["data"][0];
    EXPECT_EQ(basic["VPStype"], "香港CN2-基础型");
    EXPECT_EQ(basic["CpuNum"], 2);
    EXPECT_EQ(basic["MAXRAM"], 2048);
    EXPECT_EQ(basic["MAXSPACE"], 40);
    EXPECT_EQ(basic["Maxmbps8"], 5);
    EXPECT_EQ(basic["month"], "68");
    EXPECT_EQ(basic["id"], 1);
    EXPECT_EQ(basic["zy"], "自营");
    EXPECT_EQ(basic["lx"], "KVM");
    // A line of another type lists nothing for this type.
    EXPECT_EQ(post("/user/ycplist", "xlid=3&cplxid=1")["count"], 0);
    EXPECT_EQ(post("/user/ycplist", "xlid=1")["count"], 0);
}

TEST_F(CatalogueRoutesTest, PricesSayZeroForPeriodsNotOffered)
{
    struct Case
    {
        std::string id;
        std::string day, month, annual;
    };
    const Case cases[] = {
        {"1", "3", "68", "680"},   // every period
        {"2", "0", "128", "1280"}, // no day
        {"7", "30", "599", "0"},   // no year
    };
    for (const Case &c : cases) {
        const auto prices = post("/user/ycpjgb", "id=" + c.id);
        ASSERT_EQ(prices["count"], 1) << c.id;
        EXPECT_EQ(prices["data"][0]["day"], c.day) << c.id;
        EXPECT_EQ(prices["data"][0]["month"], c.month) << c.id;
        EXPECT_EQ(prices["data"][0]["Annual"], c.annual) << c.id;
    }
    service.db().modify("UPDATE products SET price_month_cents = 9990 WHERE id = 1");
    EXPECT_EQ(post("/user/ycpjgb", "id=1")["data"][0]["month"], "99.90");
    EXPECT_EQ(post("/user/ycpjgb", "id=99")["count"], 0);
    EXPECT_EQ(post("/user/ycpjgb", "id=abc")["count"], 0);
}

TEST_F(CatalogueRoutesTest, SystemsBelongToTheirProduct)
{
    const auto all = post("/user/ycpos", "id=1");
    ASSERT_EQ(all["count"], 6);
    EXPECT_EQ(all["data"][0]["osname"], "Windows Server 2012 R2 数据中心版 64位");
    EXPECT_TRUE(all["data"][0]["osid"].is_number());
    EXPECT_EQ(post("/user/ycpos", "id=7")["count"], 4); // Windows only
    EXPECT_EQ(post("/user/ycpos", "id=0")["count"], 0);
}
