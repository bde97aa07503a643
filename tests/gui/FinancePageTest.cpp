#include "FinanceFakeService.h"
#include "GuiTestEnvironment.h"

#include "finance/FinancePage.h"
#include "finance/FinancePageReply.h"
#include "ui/Workers.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>

#include <limits>

namespace cloud::test {
namespace {

constexpr const char *kMoneyList = "/user/data/moneylist";

std::string record(const std::string &attime, const std::string &shouru, const std::string &zhichu,
                   const std::string &forwhat = "充值")
{
    return R"({"attime":")" + attime + R"(","shouru":)" + shouru + R"(,"zhichu":)" + zhichu +
           R"(,"zt":"成功","forwhat":")" + forwhat + R"("})";
}

std::string listReply(const std::vector<std::string> &records)
{
    std::string data;
    for (const std::string &r : records)
        data += (data.empty() ? "" : ",") + r;
    return R"({"code":0,"count":12,"data":[)" + data + "]}";
}

struct ParseCase
{
    const char *name;
    std::string reply;
    std::size_t rows;
    std::vector<std::string> incomeCells;
    const char *incomeTotal;
    const char *expenseTotal;
};

TEST(FinancePageReply, RowsAndTotals)
{
    const ParseCase cases[] = {
        {"amounts count by their leading digits",
         listReply({record("2024-05-01 10:00:00", R"("10")", R"("0")"),
                    record("2024-05-02 10:00:00", R"("5.5")", R"("12.50")"),
                    record("2024-05-03 10:00:00", R"("0")", "0.80")}),
         3,
         {"￥10", "￥5.5", "￥0"},
         "￥15元",
         "￥12元"},
        {"a purpose with the word in capitals adds an empty row",
         listReply({record("2024-05-01", R"("7")", R"("1")", "ATTIME 补偿")}),
         2,
         {"￥7", "￥"},
         "￥7元",
         "￥1元"},
        {"a reply that is not JSON gives empty rows",
         "attime? AtTime!",
         2,
         {"￥", "￥"},
         "￥0元",
         "￥0元"},
        {"no reply, no rows", "", 0, {}, "￥0元", "￥0元"},
        {"a page past the last one", R"({"count":12,"data":[]})", 0, {}, "￥0元", "￥0元"},
        {"amounts without digits count nothing",
         listReply({record("t", R"("abc")", R"("-3")"), record("t", "null", R"("")")}),
         2,
         {"￥abc", "￥"},
         "￥0元",
         "￥0元"},
    };
    for (const ParseCase &c : cases) {
        const FinancePageReply page = FinancePageReply::parse(c.reply);
        ASSERT_EQ(page.records().size(), c.rows) << c.name;
        for (std::size_t r = 0; r < c.incomeCells.size(); ++r)
            EXPECT_EQ(FinancePageReply::amountText(page.records()[r].shouru), c.incomeCells[r])
                << c.name;
        EXPECT_EQ(page.incomeTotalText(), c.incomeTotal) << c.name;
        EXPECT_EQ(page.expenseTotalText(), c.expenseTotal) << c.name;
    }
}

TEST(FinancePageReply, HostileRepliesStayBounded)
{
    std::string many;
    for (int i = 0; i < 50000; ++i)
        many += "attime";
    EXPECT_EQ(FinancePageReply::parse(many).records().size(), FinancePageReply::maxRows);

    const std::string huge = R"("99999999999999999999")";
    const FinancePageReply page =
        FinancePageReply::parse(listReply({record("t", huge, huge), record("t", huge, R"("1")")}));
    EXPECT_EQ(page.incomeSum(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(page.expenseSum(), std::numeric_limits<std::int64_t>::max());
}

class FinancePageTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        page = std::make_unique<FinancePage>();
        page->show();
    }
    void TearDown() override
    {
        service.release();
        EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
        Workers::resetForTests();
        QCoreApplication::processEvents();
    }

    bool shows(const QString &pageText, QSignalSpy &spy)
    {
        return QTest::qWaitFor(
            [&] {
                for (const QList<QVariant> &call : spy)
                    if (call.at(0).toString() == pageText)
                        return true;
                return false;
            },
            5000);
    }

    QString cellText(int row, int column) const
    {
        QTableWidgetItem *item = page->recordList()->item(row, column);
        return item ? item->text() : QString();
    }

    FinanceFakeService service;
    std::unique_ptr<FinancePage> page;
};

TEST_F(FinancePageTest, ControlsAsDesigned)
{
    QTableWidget *list = page->findChild<QTableWidget *>(QStringLiteral("超级列表框EX1"));
    ASSERT_EQ(list, page->recordList());
    const std::pair<const char *, int> columns[] = {
        {"时间", 150}, {"收入￥", 80}, {"支出￥", 80}, {"状态", 80}, {"来源/用途", 400}};
    ASSERT_EQ(list->columnCount(), 5);
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list->horizontalHeaderItem(c)->text(), QString::fromUtf8(columns[c].first));
        if (c < 4) {
            EXPECT_EQ(list->columnWidth(c), columns[c].second);
        }
    }
    EXPECT_EQ(list->rowCount(), 0);
    const std::pair<const char *, const char *> labels[] = {{"标签EX5", "本页总计"},
                                                            {"标签EX6", "￥0元"},
                                                            {"标签EX7", "￥0元"},
                                                            {"标签EX8", "第"},
                                                            {"标签EX9", "页"}};
    for (const auto &[name, text] : labels) {
        auto *label = page->findChild<QLabel *>(QString::fromUtf8(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromUtf8(text)) << name;
    }
    QComboBox *selector = page->findChild<QComboBox *>(QStringLiteral("组合框EX1"));
    ASSERT_EQ(selector, page->pageSelector());
    EXPECT_FALSE(selector->isEditable()) << "only the ten fixed pages can be picked";
    ASSERT_EQ(selector->count(), 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(selector->itemText(i), QString::number(i + 1));
    EXPECT_EQ(selector->currentText(), QStringLiteral("1"));
}

TEST_F(FinancePageTest, LoadsAndShowsOnePage)
{
    service.answer(kMoneyList, listReply({record("2024-05-01 10:00:00", R"("10")", R"("0")"),
                                          record("2024-05-02 11:30:00", R"("5.5")", R"("2")"),
                                          record("2024-05-03 12:45:00", R"("0")", R"("3.9")")}));
    QSignalSpy shown(page.get(), &FinancePage::pageShown);
    page->loadFinancePage(QStringLiteral("3"));
    ASSERT_TRUE(shows(QStringLiteral("3"), shown));

    const auto requests = service.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, "GET");
    EXPECT_EQ(requests[0].target, "/user/data/moneylist?page=3&limit=5");

    ASSERT_EQ(page->recordList()->rowCount(), 3);
    const QStringList firstRow = {QStringLiteral("2024-05-01 10:00:00"), QStringLiteral("￥10"),
                                  QStringLiteral("￥0"), QStringLiteral("成功"),
                                  QStringLiteral("充值")};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(cellText(0, c), firstRow[c]);
        EXPECT_EQ(page->recordList()->item(0, c)->foreground().color(), QColor(0xFF, 0xFF, 0xFF));
    }
    EXPECT_EQ(cellText(1, 1), QStringLiteral("￥5.5"));
    EXPECT_EQ(page->incomeTotal()->text(), QStringLiteral("￥15元"));
    EXPECT_EQ(page->expenseTotal()->text(), QStringLiteral("￥5元"));

    // Without an answer the list empties and the totals go back to zero.
    service.answer(kMoneyList, "");
    page->loadFinancePage(QStringLiteral("1"));
    ASSERT_TRUE(shows(QStringLiteral("1"), shown));
    EXPECT_EQ(page->recordList()->rowCount(), 0);
    EXPECT_EQ(page->incomeTotal()->text(), QStringLiteral("￥0元"));
    EXPECT_EQ(page->expenseTotal()->text(), QStringLiteral("￥0元"));
}

TEST_F(FinancePageTest, SelectorLoadsItsPageAndNavigationLoadsTheFirst)
{
    service.answerBy(kMoneyList, [](const std::string &target) {
        return listReply({record(target, R"("1")", R"("0")")});
    });
    QSignalSpy shown(page.get(), &FinancePage::pageShown);
    page->pageSelector()->setCurrentIndex(3);
    emit page->pageSelector()->activated(3);
    ASSERT_TRUE(shows(QStringLiteral("4"), shown));
    EXPECT_EQ(cellText(0, 0), QStringLiteral("/user/data/moneylist?page=4&limit=5"));

    // The main window's navigation entry shows page 1; the selector keeps its "4".
    page->loadFinancePage(QStringLiteral("1"));
    ASSERT_TRUE(shows(QStringLiteral("1"), shown));
    EXPECT_EQ(cellText(0, 0), QStringLiteral("/user/data/moneylist?page=1&limit=5"));
    EXPECT_EQ(page->pageSelector()->currentText(), QStringLiteral("4"));
}

// A slow answer for a page the user has already left must not replace the page picked after it.
TEST_F(FinancePageTest, PageAskedForLastWins)
{
    service.answerBy(kMoneyList, [](const std::string &target) {
        if (target.find("page=2&") != std::string::npos)
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return listReply({record(target, R"("1")", R"("0")")});
    });
    QSignalSpy shown(page.get(), &FinancePage::pageShown);
    page->loadFinancePage(QStringLiteral("2"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return service.requestCount() == 1; }, 5000));
    page->loadFinancePage(QStringLiteral("5"));
    ASSERT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(shown.count(), 1);
    EXPECT_EQ(shown.at(0).at(0).toString(), QStringLiteral("5"));
    EXPECT_EQ(cellText(0, 0), QStringLiteral("/user/data/moneylist?page=5&limit=5"));
}

} // namespace
} // namespace cloud::test
