#include "ServiceFixture.h"

#include "Database.h"
#include "PasswordHash.h"
#include "Schema.h"

#include <gtest/gtest.h>

using namespace refservice;
using namespace refservice::test;

namespace {

std::int64_t count(Database &db, const std::string &table)
{
    return db.queryOne("SELECT COUNT(*) AS n FROM " + table)->integer("n");
}

} // namespace

TEST(Database, FreshFileIsSeededOnceOnly)
{
    TempDir dir;
    const std::string path = dir.file("seed.db");
    const char *tables[] = {"accounts",       "hosts",     "product_types", "lines",
                            "products",       "os_images", "money_records", "prepaid_cards",
                            "payment_orders", "sms_codes", "settings"};
    std::map<std::string, std::int64_t> first;
    {
        std::string error;
        auto db = Database::open(path, error);
        ASSERT_TRUE(db) << error;
        EXPECT_EQ(db->userVersion(), Schema::latestVersion());
        for (const char *table : tables)
            first[table] = count(*db, table);
    }
    // A service started twice on one file, the second time while the first still runs.
    RunningService running({}, path);
    RunningService again({}, path);
    for (const char *table : tables)
        EXPECT_EQ(count(again.app().database(), table), first[table]) << table;
    EXPECT_EQ(first["accounts"], 2);
    EXPECT_EQ(first["prepaid_cards"], 3);
}

TEST(Database, SeedHoldsTheDemoAccounts)
{
    std::string error;
    auto db = Database::open(":memory:", error);
    ASSERT_TRUE(db) << error;
    const auto demo = db->queryOne("SELECT * FROM accounts WHERE mobile = ?", {"13800000000"});
    ASSERT_TRUE(demo);
    EXPECT_EQ(demo->integer("verified"), 1);
    EXPECT_EQ(demo->integer("balance_cents"), 50000);
    EXPECT_TRUE(PasswordHash::matches("demo1234", demo->text("password_salt"),
                                      demo->text("password_hash")));
    EXPECT_FALSE(PasswordHash::matches("demo12345", demo->text("password_salt"),
                                       demo->text("password_hash")));
    const auto other = db->queryOne("SELECT * FROM accounts WHERE mobile = ?", {"13900000000"});
    ASSERT_TRUE(other);
    EXPECT_EQ(other->integer("verified"), 0);

    const std::vector<DbValue> demoId = {demo->integer("id")};
    const auto hostsOf = [&](const char *where) {
        return db
            ->queryOne(std::string("SELECT COUNT(*) AS n FROM hosts WHERE account_id = ? ") + where,
                       demoId)
            ->integer("n");
    };
    EXPECT_GE(hostsOf(""), 6);
    EXPECT_GE(hostsOf("AND status = '运行中'"), 3);
    // Expiry follows from the end time; the stored status is the power state only.
    EXPECT_EQ(hostsOf("AND end_time < datetime('now', 'localtime')"), 1);
    EXPECT_EQ(hostsOf("AND status NOT IN ('运行中', '已关机')"), 0);
    EXPECT_EQ(hostsOf("AND status = '已关机' AND end_time > datetime('now', 'localtime')"), 1);
    EXPECT_GE(hostsOf("AND type_name LIKE '%显卡%'"), 1);
    // One host was bought recently enough to be refunded, and every host has a paid term.
    EXPECT_EQ(hostsOf("AND start_time > datetime('now', 'localtime', '-3 days')"), 1);
    EXPECT_EQ(hostsOf("AND paid_cents <= 0"), 0);
    EXPECT_EQ(db->queryOne("SELECT COUNT(*) AS n FROM money_records WHERE account_id = ?", demoId)
                  ->integer("n"),
              13);
    EXPECT_EQ(
        db->queryOne("SELECT COUNT(*) AS n FROM prepaid_cards WHERE used_by IS NULL")->integer("n"),
        3);
    // Every product offers at least one period and at least one system.
    EXPECT_EQ(db->queryOne("SELECT COUNT(*) AS n FROM products WHERE price_day_cents IS NULL "
                           "AND price_month_cents IS NULL AND price_year_cents IS NULL")
                  ->integer("n"),
              0);
    EXPECT_EQ(db->queryOne("SELECT COUNT(*) AS n FROM products p WHERE NOT EXISTS "
                           "(SELECT 1 FROM os_images o WHERE o.product_id = p.id)")
                  ->integer("n"),
              0);
}

TEST(Database, StatementsBindTransactionsRollBackAndErrorsAreValues)
{
    std::string error;
    auto db = Database::open(":memory:", error);
    ASSERT_TRUE(db);
    const std::int64_t before = count(*db, "money_records");
    const bool committed = db->transaction([&] {
        return db->insert("INSERT INTO money_records(account_id, amount_cents, kind, time) "
                          "VALUES(?, ?, ?, ?)",
                          {1, -100, "购买", "2024-01-01 00:00:00"}) > 0;
    });
    EXPECT_TRUE(committed);
    const bool rolledBack = db->transaction([&] {
        db->modify("UPDATE accounts SET balance_cents = 0 WHERE id = 1");
        return false;
    });
    EXPECT_FALSE(rolledBack);
    EXPECT_EQ(count(*db, "money_records"), before + 1);
    EXPECT_EQ(
        db->queryOne("SELECT balance_cents FROM accounts WHERE id = 1")->integer("balance_cents"),
        50000);
    // A negative balance breaks a constraint: the change fails and nothing is half done.
    EXPECT_EQ(db->modify("UPDATE accounts SET balance_cents = balance_cents - 999999 WHERE id = 1"),
              -1);
    EXPECT_TRUE(db->query("SELECT * FROM no_such_table").empty());
    EXPECT_FALSE(db->execute("SELECT ?", {})); // wrong parameter count
    const std::string quote = "x'); DROP TABLE accounts; --";
    EXPECT_TRUE(db->setSetting("remark", quote));
    EXPECT_EQ(db->setting("remark"), quote);
    EXPECT_EQ(count(*db, "accounts"), 2);
}

TEST(Database, RefusesFilesFromANewerService)
{
    TempDir dir;
    const std::string path = dir.file("newer.db");
    std::string error;
    {
        auto db = Database::open(path, error);
        ASSERT_TRUE(db);
        db->setUserVersion(Schema::latestVersion() + 1);
    }
    EXPECT_FALSE(Database::open(path, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(Database::open(dir.file("no/such/dir/x.db"), error));
}
