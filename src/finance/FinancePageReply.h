#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cloud {

// One money record of the account: all fields as the service wrote them, a missing
// field as empty text.
struct FinanceRecord
{
    std::string attime;  // time of the record
    std::string shouru;  // income in yuan
    std::string zhichu;  // expense in yuan
    std::string zt;      // state
    std::string forwhat; // source of the income or purpose of the expense
};

// One page of the money records as the finance page shows it.
class FinancePageReply
{
public:
    // The page never holds more rows than this, whatever a reply claims.
    static constexpr std::size_t maxRows = 1000;

    // GET "/user/data/moneylist?page=" + page + "&limit=5" with the page text as given;
    // the reply as text, empty when there is none. Blocks; call it on a worker.
    static std::string request(const std::string &pageText);
    // The service marks every record with an "attime" key, and the page has one row per
    // occurrence of that word in the reply (any letter case, not overlapping); row r
    // shows element r of `data`, empty where there is none.
    static FinancePageReply parse(std::string_view reply);

    const std::vector<FinanceRecord> &records() const { return m_records; }
    // Sums of the integer values (leading digits) of the page's amounts.
    std::int64_t incomeSum() const { return m_incomeSum; }
    std::int64_t expenseSum() const { return m_expenseSum; }
    // "￥" + sum + "元", as the total labels show them.
    std::string incomeTotalText() const { return totalText(m_incomeSum); }
    std::string expenseTotalText() const { return totalText(m_expenseSum); }

    static std::string totalText(std::int64_t sum);
    // "￥" + amount, as the amount cells show it.
    static std::string amountText(const std::string &amount);

private:
    std::vector<FinanceRecord> m_records;
    std::int64_t m_incomeSum = 0;
    std::int64_t m_expenseSum = 0;
};

} // namespace cloud
