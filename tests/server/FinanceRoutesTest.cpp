#include "ShopFixture.h"

#include "CardRedeemer.h"

#include "data/TextUtil.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

namespace {

class FinanceRoutesTest : public ::testing::Test
{
protected:
    ShopService service;
    httplib::Headers demo = service.session(1);
    httplib::Headers second = service.session(2);

    std::string moneyPage(const std::string &query)
    {
        return ShopService::text(service.get("/user/data/moneylist" + query, demo));
    }
    std::string redeem(const httplib::Headers &who, const std::string &number,
                       const std::string &secret)
    {
        return ShopService::text(
            service.post("/user/pay/czkzf", "cid=" + number + "&cpass=" + secret, who));
    }
    std::string verify(const std::string &body)
    {
        return ShopService::text(service.post("/user/sm2", body, second));
    }
};

// How the client counts the rows of a money page.
std::size_t rowMarkers(const std::string &reply)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; (pos = cloud::findNoCase(reply, "attime", pos)) != std::string::npos;
         pos += 6)
        ++count;
    return count;
}

} // namespace

TEST_F(FinanceRoutesTest, MoneyPagesHoldFiveRecordsNewestFirst)
{
    // The demo account has thirteen records: pages of 5, 5 and 3.
    const std::pair<std::string, std::size_t> cases[] = {
        {"?page=1&limit=5", 5},     {"?page=2&limit=5", 5},   {"?page=3&limit=5", 3},
        {"?page=4&limit=5", 0},     {"?page=abc&limit=5", 5}, {"", 5},
        {"?page=1&limit=1000", 13},
    };
    for (const auto &[query, rows] : cases) {
        const std::string reply = moneyPage(query);
        const auto page = nlohmann::json::parse(reply);
        EXPECT_EQ(page["count"], 13) << query;
        EXPECT_EQ(page["data"].size(), rows) << query;
        EXPECT_EQ(rowMarkers(reply), rows) << query;
    }
    const auto all = nlohmann::json::parse(moneyPage("?page=1&limit=50"))["data"];
    for (std::size_t i = 1; i < all.size(); ++i)
        EXPECT_GE(all[i - 1]["attime"].get<std::string>(), all[i]["attime"].get<std::string>());
    const auto newest = all[0];
    EXPECT_EQ(newest["zhichu"], "58");
    EXPECT_EQ(newest["shouru"], "0");
    EXPECT_EQ(newest["forwhat"], "购买 洛杉矶CN2-标准型 1个月");
    EXPECT_EQ(all[4]["shouru"], "800"); // the income of 20 days ago
}

TEST_F(FinanceRoutesTest, ARecordTextCannotAddARowOnTheClient)
{
    service.db().insert("INSERT INTO money_records(account_id, amount_cents, kind, note, time) "
                        "VALUES(1, 1250, '充值', 'AtTime attime', '2099-01-01 00:00:00')");
    const std::string reply = moneyPage("?page=1&limit=5");
    EXPECT_EQ(rowMarkers(reply), 5u);
    const auto first = nlohmann::json::parse(reply)["data"][0];
    EXPECT_EQ(first["shouru"], "12.50");
    EXPECT_EQ(first["forwhat"], "At-Time at-time");
}

TEST_F(FinanceRoutesTest, ACardCreditsItsValueOnce)
{
    const std::int64_t balance = service.balance(1);
    EXPECT_EQ(redeem(demo, "CZK2024000101", "8F3K2M9Q7XWD"), "充值成功");
    EXPECT_EQ(service.balance(1), balance + 5000);
    // Used, the card is refused with the one answer the client shows as such.
    EXPECT_EQ(redeem(demo, "CZK2024000101", "8F3K2M9Q7XWD"), "卡号或卡密错误");
    EXPECT_EQ(service.balance(1), balance + 5000);
    const auto record = service.db().queryOne(
        "SELECT amount_cents, kind FROM money_records WHERE account_id = 1 ORDER BY id DESC");
    EXPECT_EQ(record->integer("amount_cents"), 5000);
    EXPECT_EQ(record->text("kind"), "充值");
    // Blanks typed around the card do not matter; the client sends them as typed.
    EXPECT_EQ(redeem(demo, " CZK2024000102 ", "J6T4R1VB8NZP "), "充值成功");
    EXPECT_EQ(service.balance(1), balance + 15000);
}

TEST_F(FinanceRoutesTest, WrongCardsAndUnverifiedAccountsGetNothing)
{
    const std::int64_t balance = service.balance(1);
    const std::pair<std::string, std::string> wrong[] = {
        {"CZK2024000103", "Q2W7E5YH3LKD"}, {"CZK2024000103", ""},
        {"CZK2024000199", "Q2W7E5YH3LKC"}, {"卡号", "卡密"},
        {"CZK2024000103", "q2w7e5yh3lkc"},
    };
    for (const auto &[number, secret] : wrong)
        EXPECT_EQ(redeem(demo, number, secret), CardRedeemer::wrongCardText) << number << secret;
    EXPECT_EQ(service.balance(1), balance);
    // The card page is for verified accounts; the card stays unused.
    EXPECT_EQ(redeem(second, "CZK2024000103", "Q2W7E5YH3LKC"), CardRedeemer::unverifiedText);
    EXPECT_EQ(redeem(demo, "CZK2024000103", "Q2W7E5YH3LKC"), "充值成功");
}

TEST_F(FinanceRoutesTest, TenFailuresInTenMinutesStopTheAccountForAWhile)
{
    for (int i = 0; i < CardRedeemer::maxFailures; ++i) {
        EXPECT_EQ(redeem(demo, "CZK2024000103", "guess" + std::to_string(i)),
                  CardRedeemer::wrongCardText);
        service.advance(30);
    }
    // Even the right card is refused now, and stays unused.
    EXPECT_EQ(redeem(demo, "CZK2024000103", "Q2W7E5YH3LKC"), CardRedeemer::tooManyText);
    EXPECT_EQ(service.count("SELECT COUNT(*) AS n FROM prepaid_cards WHERE used_by IS NULL"), 3);
    // Once the first failure is ten minutes old, one more attempt is allowed.
    service.advance(CardRedeemer::failureWindowSeconds - 10 * 30 + 1);
    EXPECT_EQ(redeem(demo, "CZK2024000103", "Q2W7E5YH3LKC"), "充值成功");
}

TEST_F(FinanceRoutesTest, RealNameNeedsANameAValidNumberAndTheAccountsMobile)
{
    const std::string zhangSan = "%25u5F20%25u4E09";
    const std::string number = "11010519491231002x";
    const std::pair<std::string, std::string> refused[] = {
        {"truename=&perid=" + number + "&mobi=13900000000", "1001"},
        {"truename=%25u5F20&perid=" + number + "&mobi=13900000000", "1001"}, // one character
        {"truename=%25u5F203&perid=" + number + "&mobi=13900000000", "1001"},
        {"truename=%25uD800%25u4E09&perid=" + number + "&mobi=13900000000", "1001"},
        {"truename=" + zhangSan + "&perid=110105194912310021&mobi=13900000000", "1002"},
        {"truename=" + zhangSan + "&perid=&mobi=13900000000", "1002"},
        {"truename=" + zhangSan + "&perid=" + number + "&mobi=13800000000", "1003"},
        {"truename=" + zhangSan + "&perid=" + number + "&mobi=", "1003"},
    };
    for (const auto &[body, code] : refused)
        EXPECT_EQ(verify(body), code) << body;
    EXPECT_EQ(service.count("SELECT verified AS n FROM accounts WHERE id = 2"), 0);

    EXPECT_EQ(verify("truename=" + zhangSan + "&perid=" + number + "&mobi=13900000000"), "1000");
    const auto account =
        service.db().queryOne("SELECT verified, legal_name, id_number FROM accounts WHERE id = 2");
    EXPECT_EQ(account->integer("verified"), 1);
    EXPECT_EQ(account->text("legal_name"), "张三");
    EXPECT_EQ(account->text("id_number"), "11010519491231002X");
    EXPECT_EQ(verify("truename=%25u674E%25u56DB&perid=440304198506152133&mobi=13900000000"),
              "1004");
    EXPECT_EQ(
        service.db().queryOne("SELECT legal_name FROM accounts WHERE id = 2")->text("legal_name"),
        "张三");
}

TEST_F(FinanceRoutesTest, NamesInOtherScriptsAndWithBlanksAreKept)
{
    EXPECT_EQ(verify("truename=Anna%20Lee&perid=440304198506152133&mobi=13900000000"), "1000");
    EXPECT_EQ(
        service.db().queryOne("SELECT legal_name FROM accounts WHERE id = 2")->text("legal_name"),
        "Anna Lee");
}

TEST_F(FinanceRoutesTest, SignedOutRequestsAreRedirectedNeverAnswered)
{
    const httplib::Headers signedOut = service.session(0);
    const std::pair<const char *, const char *> cases[] = {
        {"GET", "/user/cplxlist"},
        {"POST", "/user/cplxlist"},
        {"POST", "/user/xllist"},
        {"POST", "/user/xlmchq"},
        {"POST", "/user/ycplist"},
        {"POST", "/user/ycpjgb"},
        {"POST", "/user/ycpos"},
        {"POST", "/user/data/buy"},
        {"POST", "/user/xfjgb"},
        {"POST", "/user/data/xfbuy"},
        {"GET", "/user/data/moneylist?page=1&limit=5"},
        {"POST", "/user/zfbzf"},
        {"POST", "/user/pay/czkzf"},
        {"POST", "/user/sm2"},
    };
    const std::int64_t balance = service.balance(1);
    for (const auto &[method, target] : cases) {
        const auto res = std::string(method) == "GET"
                             ? service.get(target, signedOut)
                             : service.post(target,
                                            "id=1&year=month&osid=1&cid=CZK2024000101&cpass="
                                            "8F3K2M9Q7XWD&ORDERMONEY=1&USERNAME=13800000000",
                                            signedOut);
        ASSERT_TRUE(res) << target;
        EXPECT_EQ(res->status, 302) << method << " " << target;
        EXPECT_EQ(res->get_header_value("Location"), "/user/login.html") << target;
        EXPECT_EQ(res->body.find('{'), std::string::npos) << target;
    }
    EXPECT_EQ(service.balance(1), balance);
    EXPECT_EQ(service.count("SELECT COUNT(*) AS n FROM prepaid_cards WHERE used_by IS NULL"), 3);
}
