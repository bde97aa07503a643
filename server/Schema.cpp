#include "Schema.h"

#include "Database.h"
#include "SeedData.h"

#include <functional>
#include <vector>

namespace refservice {

namespace {

// Money is always integer cents. Times are local "YYYY-MM-DD HH:MM:SS" texts. Texts are UTF-8.
constexpr const char *tablesV1 = R"SQL(
CREATE TABLE accounts (
    id            INTEGER PRIMARY KEY,
    mobile        TEXT NOT NULL UNIQUE,            -- the account name
    password_salt TEXT NOT NULL,
    password_hash TEXT NOT NULL,
    verified      INTEGER NOT NULL DEFAULT 0,      -- real-name verification passed
    legal_name    TEXT NOT NULL DEFAULT '',
    id_number     TEXT NOT NULL DEFAULT '',
    balance_cents INTEGER NOT NULL DEFAULT 0 CHECK (balance_cents >= 0),
    qq            TEXT NOT NULL DEFAULT '',
    email         TEXT NOT NULL DEFAULT '',
    created       TEXT NOT NULL
);
CREATE TABLE product_types (
    id   INTEGER PRIMARY KEY,
    name TEXT NOT NULL UNIQUE,
    sort INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE lines (
    id     INTEGER PRIMARY KEY,
    name   TEXT NOT NULL UNIQUE,
    region TEXT NOT NULL,
    sort   INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE products (
    id                INTEGER PRIMARY KEY,
    type_id           INTEGER NOT NULL REFERENCES product_types(id),
    line_id           INTEGER NOT NULL REFERENCES lines(id),
    name              TEXT NOT NULL,
    cpu               TEXT NOT NULL,
    memory            TEXT NOT NULL,
    disk              TEXT NOT NULL,
    bandwidth         TEXT NOT NULL,
    defense           TEXT NOT NULL DEFAULT '',
    price_day_cents   INTEGER CHECK (price_day_cents > 0),   -- NULL: period not offered
    price_month_cents INTEGER CHECK (price_month_cents > 0),
    price_year_cents  INTEGER CHECK (price_year_cents > 0),
    stock             INTEGER NOT NULL DEFAULT 100,
    sort              INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE os_images (
    id         INTEGER PRIMARY KEY,
    product_id INTEGER NOT NULL REFERENCES products(id),
    name       TEXT NOT NULL,
    sort       INTEGER NOT NULL DEFAULT 0
);
CREATE TABLE hosts (
    id          INTEGER PRIMARY KEY,
    account_id  INTEGER NOT NULL REFERENCES accounts(id),
    product_id  INTEGER REFERENCES products(id),
    name        TEXT NOT NULL,                     -- "ip:port", the remote desktop address
    password    TEXT NOT NULL,
    os          TEXT NOT NULL,
    status      TEXT NOT NULL,                     -- 运行中, 已关机, 已到期, ...
    zt          TEXT,                              -- shown instead of status when set
    remark      TEXT NOT NULL DEFAULT '',
    after_sales TEXT NOT NULL DEFAULT '',
    start_time  TEXT NOT NULL,
    end_time    TEXT NOT NULL,
    type_name   TEXT NOT NULL
);
CREATE INDEX hosts_by_account ON hosts(account_id, id);
CREATE TABLE money_records (
    id           INTEGER PRIMARY KEY,
    account_id   INTEGER NOT NULL REFERENCES accounts(id),
    amount_cents INTEGER NOT NULL,                 -- negative when money leaves the balance
    kind         TEXT NOT NULL,
    time         TEXT NOT NULL,
    note         TEXT NOT NULL DEFAULT ''
);
CREATE INDEX money_by_account ON money_records(account_id, time);
CREATE TABLE prepaid_cards (
    id           INTEGER PRIMARY KEY,
    number       TEXT NOT NULL UNIQUE,
    secret       TEXT NOT NULL,
    amount_cents INTEGER NOT NULL CHECK (amount_cents > 0),
    used_by      INTEGER REFERENCES accounts(id),  -- NULL while unused
    used_time    TEXT
);
CREATE TABLE payment_orders (
    id           INTEGER PRIMARY KEY,
    order_no     TEXT NOT NULL UNIQUE,
    account_id   INTEGER NOT NULL REFERENCES accounts(id),
    amount_cents INTEGER NOT NULL CHECK (amount_cents > 0),
    status       TEXT NOT NULL DEFAULT 'pending',  -- pending | paid
    created      TEXT NOT NULL,
    paid_time    TEXT
);
CREATE TABLE sms_codes (
    id      INTEGER PRIMARY KEY,
    mobile  TEXT NOT NULL,
    code    TEXT NOT NULL,
    purpose TEXT NOT NULL,                         -- reg | passwd
    created TEXT NOT NULL,
    expires TEXT NOT NULL,
    used    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX sms_by_mobile ON sms_codes(mobile, created);
CREATE TABLE settings (
    key   TEXT PRIMARY KEY,
    value TEXT NOT NULL
);
)SQL";

// Shop step: what the catalogue shows of a product's origin (货源) and kind (类型), the log
// of failed prepaid-card attempts that limits guessing, and the demo account's identity
// number with its proper check character.
constexpr const char *shopV2 = R"SQL(
ALTER TABLE products ADD COLUMN source TEXT NOT NULL DEFAULT '自营';
ALTER TABLE products ADD COLUMN kind TEXT NOT NULL DEFAULT 'KVM';
UPDATE products SET source = '合作', kind = '显卡直通' WHERE type_id = 4;
UPDATE products SET kind = 'KVM高防' WHERE type_id = 2;
CREATE TABLE card_failures (
    id         INTEGER PRIMARY KEY,
    account_id INTEGER NOT NULL REFERENCES accounts(id),
    time       TEXT NOT NULL
);
CREATE INDEX card_failures_by_account ON card_failures(account_id, time);
CREATE INDEX payment_orders_by_account ON payment_orders(account_id, created);
UPDATE accounts SET id_number = '110101199001011237' WHERE id_number = '110101199001011234';
)SQL";

// Host states and money for the host operations, the sign-in lockout and the SMS code tries.
// A host's `status` now holds only its power state (运行中 or 已关机): expiry follows from
// end_time at each request, a refund from refund_time, and `zt` shows only until zt_until
// (always when zt_until is NULL). paid_cents is what the account paid for the host's current
// term, purchase and renewals together; the refund is a share of it.
constexpr const char *accountsV2 = R"SQL(
ALTER TABLE hosts ADD COLUMN zt_until TEXT;
ALTER TABLE hosts ADD COLUMN refund_time TEXT;
ALTER TABLE hosts ADD COLUMN paid_cents INTEGER NOT NULL DEFAULT 0 CHECK (paid_cents >= 0);
UPDATE hosts SET status = '已关机' WHERE status = '已到期';
ALTER TABLE sms_codes ADD COLUMN attempts INTEGER NOT NULL DEFAULT 0;
CREATE TABLE sign_in_failures (
    id       INTEGER PRIMARY KEY,
    username TEXT NOT NULL,                        -- as typed, known account or not
    time     TEXT NOT NULL
);
CREATE INDEX sign_in_failures_by_name ON sign_in_failures(username, time);
)SQL";

using Step = std::function<bool(Database &)>;

const std::vector<Step> &steps()
{
    static const std::vector<Step> list = {
        [](Database &db) { return db.executeScript(tablesV1) && SeedData::insert(db); },
        [](Database &db) { return db.executeScript(shopV2); },
        [](Database &db) { return db.executeScript(accountsV2) && SeedData::insertHostTerms(db); },
    };
    return list;
}

} // namespace

int Schema::latestVersion()
{
    return static_cast<int>(steps().size());
}

bool Schema::upgrade(Database &db, std::string &error)
{
    // The version is read inside each transaction, so two services starting on one fresh
    // file do not both apply a step.
    while (true) {
        std::int64_t version = 0;
        bool newer = false;
        const bool ok = db.transaction([&] {
            version = db.userVersion();
            if (version >= latestVersion()) {
                newer = version > latestVersion();
                return true;
            }
            const Step &step = steps()[static_cast<std::size_t>(version)];
            return step(db) && db.setUserVersion(version + 1);
        });
        if (!ok) {
            error = "cannot bring the database to version " + std::to_string(version + 1);
            return false;
        }
        if (newer) {
            error = "the database was written by a newer refservice";
            return false;
        }
        if (version >= latestVersion())
            return true;
    }
}

} // namespace refservice
