#include "SeedData.h"

#include "Database.h"
#include "PasswordHash.h"

#include <string>
#include <vector>

namespace refservice {

namespace {

// A local time relative to now, e.g. "-5 days"; "+0 seconds" is now.
constexpr const char *localTime = "datetime('now', 'localtime', ?)";

DbValue cents(std::int64_t value)
{
    return value;
}

DbValue notOffered()
{
    return std::monostate{};
}

bool insertAll(Database &db, const std::string &sql, const std::vector<std::vector<DbValue>> &rows)
{
    for (const auto &row : rows)
        if (db.insert(sql, row) == 0)
            return false;
    return true;
}

} // namespace

bool SeedData::insert(Database &db)
{
    return insertSettings(db) && insertCatalogue(db) && insertAccounts(db) && insertHosts(db) &&
           insertMoneyRecords(db) && insertCards(db);
}

bool SeedData::insertSettings(Database &db)
{
    // The version query answers the bare number; the client puts "Ver " in front itself.
    const std::vector<std::pair<std::string, std::string>> settings = {
        {"version", "3.8"},
        {"title", "云服务器"},
        {"help", "1. 双击服务器列表即可远程连接服务器。\r\n"
                 "2. 右键服务器可以重启、重装系统、修改密码、续费。\r\n"
                 "3. 余额不足时请先在线充值或使用充值卡充值。\r\n"
                 "4. 遇到问题请联系在线客服，工作时间 9:00-22:00。"},
        {"gg", "温馨提示：双击列表可以进行快速连接，右键鼠标进行更多选项\r\n"
               "温馨提示：服务器到期前请及时续费，到期后数据保留3天\r\n"
               "温馨提示：请妥善保管服务器密码，不要告诉他人\r\n"
               "温馨提示：显卡云服务器首次连接需要等待驱动加载"},
        {"tcgg", "尊敬的用户：本平台将于每周二凌晨 2:00-4:00 进行例行维护，"
                 "期间服务器正常运行不受影响。感谢您的支持！"},
        {"maintenance", "0"},
    };
    for (const auto &[key, value] : settings)
        if (!db.setSetting(key, value))
            return false;
    return true;
}

bool SeedData::insertCatalogue(Database &db)
{
    const bool types = insertAll(db, "INSERT INTO product_types(id, name, sort) VALUES(?, ?, ?)",
                                 {{1, "香港云服务器", 1},
                                  {2, "国内高防云", 2},
                                  {3, "美国云服务器", 3},
                                  {4, "显卡云服务器", 4}});
    const bool lines =
        types && insertAll(db, "INSERT INTO lines(id, name, region, sort) VALUES(?, ?, ?, ?)",
                           {{1, "香港CN2", "香港", 1},
                            {2, "香港BGP", "香港", 2},
                            {3, "宿迁电信", "江苏", 3},
                            {4, "十堰BGP", "湖北", 4},
                            {5, "洛杉矶CN2", "美国", 5},
                            {6, "厦门电信", "福建", 6}});
    const std::string productSql =
        "INSERT INTO products(id, type_id, line_id, name, cpu, memory, disk, bandwidth, defense, "
        "price_day_cents, price_month_cents, price_year_cents, sort) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";
    const bool products =
        lines && insertAll(db, productSql,
                           {{1, 1, 1, "香港CN2-基础型", "2核", "2G", "40G", "5M", "", cents(300),
                             cents(6800), cents(68000), 1},
                            {2, 1, 1, "香港CN2-进阶型", "4核", "4G", "60G", "10M", "", notOffered(),
                             cents(12800), cents(128000), 2},
                            {3, 1, 2, "香港BGP-标准型", "2核", "4G", "50G", "8M", "", cents(500),
                             cents(9900), cents(99000), 3},
                            {4, 2, 3, "宿迁高防-入门型", "2核", "2G", "40G", "10M", "100G",
                             notOffered(), cents(8800), cents(88000), 4},
                            {5, 2, 4, "十堰高防-企业型", "8核", "16G", "100G", "20M", "200G",
                             notOffered(), cents(29900), cents(299000), 5},
                            {6, 3, 5, "洛杉矶CN2-标准型", "2核", "2G", "40G", "10M", "", cents(250),
                             cents(5800), cents(58000), 6},
                            {7, 4, 6, "显卡云-GTX1060", "8核", "16G", "200G", "20M", "",
                             cents(3000), cents(59900), notOffered(), 7},
                            {8, 4, 3, "显卡云-RTX3060", "12核", "32G", "300G", "30M", "",
                             cents(5000), cents(89900), cents(899000), 8}});
    if (!products)
        return false;
    const std::vector<std::string> windows = {
        "Windows Server 2012 R2 数据中心版 64位", "Windows Server 2016 数据中心版 64位",
        "Windows Server 2019 数据中心版 64位", "Windows 10 专业版 64位"};
    const std::vector<std::string> linux = {"CentOS 7.6 64位", "Ubuntu 20.04 64位"};
    for (std::int64_t product = 1; product <= 8; ++product) {
        std::vector<std::string> images = windows;
        if (product < 7) // the GPU products carry Windows only
            images.insert(images.end(), linux.begin(), linux.end());
        for (std::size_t i = 0; i < images.size(); ++i)
            if (db.insert("INSERT INTO os_images(product_id, name, sort) VALUES(?, ?, ?)",
                          {product, images[i], static_cast<std::int64_t>(i + 1)}) == 0)
                return false;
    }
    return true;
}

bool SeedData::insertAccounts(Database &db)
{
    const PasswordHash::Digest demo = PasswordHash::make("demo1234");
    const PasswordHash::Digest second = PasswordHash::make("demo1234");
    const std::string sql =
        std::string("INSERT INTO accounts(id, mobile, password_salt, password_hash, verified, "
                    "legal_name, id_number, balance_cents, qq, email, created) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ") +
        localTime + ")";
    return insertAll(
        db, sql,
        {{1, "13800000000", demo.salt, demo.hash, 1, "张三", "110101199001011234", cents(50000),
          "10001", "demo@example.com", "-400 days"},
         {2, "13900000000", second.salt, second.hash, 0, "", "", cents(1250), "", "", "-10 days"}});
}

bool SeedData::insertHosts(Database &db)
{
    // Addresses come from the documentation ranges so that a demo never reaches a real machine.
    const std::string sql =
        std::string("INSERT INTO hosts(account_id, product_id, name, password, os, status, "
                    "remark, after_sales, type_name, start_time, end_time) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ") +
        localTime + ", " + localTime + ")";
    const char *ws2012 = "Windows Server 2012 R2 数据中心版 64位";
    const char *ws2019 = "Windows Server 2019 数据中心版 64位";
    return insertAll(db, sql,
                     {{1, 1, "203.0.113.21:3389", "Xk7pQ2mA", ws2012, "运行中", "官网", "小云",
                       "香港云服务器", "-60 days", "+120 days"},
                      {1, 3, "203.0.113.22:33890", "Rt5wN8zE", ws2019, "运行中", "", "小云",
                       "香港云服务器", "-15 days", "+45 days"},
                      {1, 4, "198.51.100.40:3389", "Hb3vL9kC", ws2012, "运行中", "数据库", "阿杰",
                       "国内高防云", "-165 days", "+200 days"},
                      {1, 6, "198.51.100.41:3389", "Mq6tY4sD", ws2019, "已关机", "测试机", "阿杰",
                       "美国云服务器", "-10 days", "+20 days"},
                      {1, 5, "198.51.100.42:3389", "Pz8cF2uJ", ws2012, "已到期", "", "小云",
                       "国内高防云", "-370 days", "-5 days"},
                      {1, 7, "192.0.2.77:3389", "Gd2nW7xK", ws2019, "运行中", "渲染", "小美",
                       "显卡云服务器", "-3 days", "+27 days"},
                      {1, 2, "203.0.113.23:3389", "Vn4hS6rT", ws2019, "运行中", "", "小云",
                       "香港云服务器", "-200 days", "+165 days"},
                      {2, 1, "203.0.113.50:3389", "Ua9eB3yM", ws2012, "运行中", "", "小云",
                       "香港云服务器", "-9 days", "+21 days"}});
}

bool SeedData::insertMoneyRecords(Database &db)
{
    const std::string sql =
        std::string("INSERT INTO money_records(account_id, amount_cents, kind, note, time) "
                    "VALUES(?, ?, ?, ?, ") +
        localTime + ")";
    return insertAll(db, sql,
                     {{1, cents(100000), "充值", "在线充值", "-90 days"},
                      {1, cents(-68000), "购买", "购买 香港CN2-基础型 1年", "-89 days"},
                      {1, cents(20000), "充值", "充值卡充值", "-75 days"},
                      {1, cents(-9900), "购买", "购买 香港BGP-标准型 1个月", "-74 days"},
                      {1, cents(50000), "充值", "在线充值", "-60 days"},
                      {1, cents(-8800), "续费", "续费 宿迁高防-入门型 1个月", "-45 days"},
                      {1, cents(-5800), "购买", "购买 洛杉矶CN2-标准型 1个月", "-40 days"},
                      {1, cents(5800), "退款", "退款 洛杉矶CN2-标准型", "-38 days"},
                      {1, cents(80000), "充值", "在线充值", "-20 days"},
                      {1, cents(-9900), "续费", "续费 香港BGP-标准型 1个月", "-15 days"},
                      {1, cents(-5800), "购买", "购买 洛杉矶CN2-标准型 1个月", "-10 days"},
                      {1, cents(-3000), "购买", "购买 显卡云-GTX1060 1天", "-3 days"},
                      {2, cents(1250), "充值", "在线充值", "-9 days"}});
}

bool SeedData::insertHostTerms(Database &db)
{
    // The older hosts were paid at the monthly price of their product for each started month.
    const bool terms =
        db.modify("UPDATE hosts SET paid_cents = (SELECT price_month_cents FROM products "
                  "WHERE products.id = hosts.product_id) * MAX(1, CAST(ROUND("
                  "(julianday(end_time) - julianday(start_time)) / 30) AS INTEGER))") >= 0;
    const std::string hostSql =
        std::string("INSERT INTO hosts(account_id, product_id, name, password, os, status, "
                    "remark, after_sales, type_name, paid_cents, start_time, end_time) "
                    "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ") +
        localTime + ", datetime('now', 'localtime', '-2 hours', '+1 month'))";
    const std::string moneySql =
        std::string("INSERT INTO money_records(account_id, amount_cents, kind, note, time) "
                    "VALUES(?, ?, ?, ?, ") +
        localTime + ")";
    return terms &&
           db.insert(hostSql,
                     {1, 6, "198.51.100.43:3389", "Wc5rJ8nQ", "Windows Server 2016 数据中心版 64位",
                      "运行中", "新购", "阿杰", "美国云服务器", cents(5800), "-2 hours"}) != 0 &&
           db.insert(moneySql,
                     {1, cents(-5800), "购买", "购买 洛杉矶CN2-标准型 1个月", "-2 hours"}) != 0;
}

bool SeedData::insertCards(Database &db)
{
    return insertAll(db, "INSERT INTO prepaid_cards(number, secret, amount_cents) VALUES(?, ?, ?)",
                     {{"CZK2024000101", "8F3K2M9Q7XWD", cents(5000)},
                      {"CZK2024000102", "J6T4R1VB8NZP", cents(10000)},
                      {"CZK2024000103", "Q2W7E5YH3LKC", cents(20000)}});
}

} // namespace refservice
