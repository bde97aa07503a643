#include "finance/FinancePageReply.h"

#include "api/ApiClient.h"
#include "api/ApiReply.h"
#include "api/Endpoints.h"
#include "data/JsonDoc.h"
#include "data/TextUtil.h"

#include <limits>

namespace cloud {
namespace {

constexpr std::string_view kRecordMark = "attime";

std::size_t countRecordMarks(std::string_view reply, std::size_t limit)
{
    std::size_t count = 0;
    std::size_t at = findNoCase(reply, kRecordMark);
    while (at != std::string_view::npos && count < limit) {
        ++count;
        at = findNoCase(reply, kRecordMark, at + kRecordMark.size());
    }
    return count;
}

FinanceRecord recordAt(const JsonDoc &doc, std::size_t index)
{
    return {ApiReply::recordText(doc, index, "attime"), ApiReply::recordText(doc, index, "shouru"),
            ApiReply::recordText(doc, index, "zhichu"), ApiReply::recordText(doc, index, "zt"),
            ApiReply::recordText(doc, index, "forwhat")};
}

// A reply cannot make the sums wrap around.
std::int64_t saturatingAdd(std::int64_t sum, std::int64_t amount)
{
    constexpr std::int64_t top = std::numeric_limits<std::int64_t>::max();
    return amount > top - sum ? top : sum + amount;
}

} // namespace

std::string FinancePageReply::request(const std::string &pageText)
{
    return ApiClient::fromSession().getText(std::string(api::kMoneyList) + pageText +
                                            std::string(api::kMoneyListTail));
}

FinancePageReply FinancePageReply::parse(std::string_view reply)
{
    FinancePageReply page;
    JsonDoc doc;
    doc.parse(reply);
    const std::size_t rows = countRecordMarks(reply, maxRows);
    page.m_records.reserve(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        FinanceRecord record = recordAt(doc, r);
        page.m_incomeSum = saturatingAdd(page.m_incomeSum, integerValue(record.shouru));
        page.m_expenseSum = saturatingAdd(page.m_expenseSum, integerValue(record.zhichu));
        page.m_records.push_back(std::move(record));
    }
    return page;
}

std::string FinancePageReply::totalText(std::int64_t sum)
{
    return "￥" + std::to_string(sum) + "元";
}

std::string FinancePageReply::amountText(const std::string &amount)
{
    return "￥" + amount;
}

} // namespace cloud
