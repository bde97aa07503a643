#include "GuiTestEnvironment.h"
#include "HostReplies.h"

#include "hosts/HostListPage.h"
#include "hosts/HostPage.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>

namespace cloud::test {
namespace {

TEST(HostPage, RepliesWithoutHostsGiveNoRows)
{
    const char *replies[] = {
        "",
        "<html>请先登录</html>",
        R"({"count":0,"data":[]})",
        R"({"data":[{"VPStypeID":1,"id":5}]})",      // no count at all
        R"({"count":"3","data":[{"VPStypeID":1}]})", // a count sent as text is no number
        R"({"count":-2,"data":[]})",
    };
    for (const char *reply : replies) {
        const HostPage page = HostPage::parse(reply);
        EXPECT_FALSE(page.hasHosts()) << reply;
        EXPECT_TRUE(page.records.empty()) << reply;
    }
}

TEST(HostPage, PagesComeFromTheCountFiveToAPage)
{
    const std::pair<long long, std::int64_t> cases[] = {
        {1, 1}, {5, 1}, {6, 2}, {10, 2}, {11, 3}, {1000000000000LL, HostPage::maxPages}};
    for (const auto &[count, pages] : cases)
        EXPECT_EQ(HostPage::parse(hostListReply(count, someHosts(1))).pages, pages) << count;
}

TEST(HostPage, RowsAreCountedByTheTypeKeyInAnyCase)
{
    // A remark that mentions the key adds a row; its element does not exist, so it is empty.
    HostJson odd;
    odd.remark = "vpstypeid";
    HostPage page = HostPage::parse(hostListReply(2, {odd, someHosts(1)[0]}));
    ASSERT_EQ(page.records.size(), 3u);
    EXPECT_EQ(page.records[2].cells(), HostCells{});

    // Elements without the key are not counted.
    page = HostPage::parse(R"({"count":2,"data":[{"id":1},{"id":2}]})");
    EXPECT_TRUE(page.hasHosts());
    EXPECT_TRUE(page.records.empty());

    std::string flood = R"({"count":1,"data":[],"x":")";
    for (int i = 0; i < 100000; ++i)
        flood += "VPStypeID";
    flood += "\"}";
    EXPECT_EQ(HostPage::parse(flood).records.size(), std::size_t(HostPage::maxRows));
}

TEST(HostPage, RecordFillsItsColumns)
{
    HostJson host;
    host.id = 42;
    host.memory = ""; // drops out of the joined configuration
    host.remark = "备用";
    const HostCells cells = HostPage::parse(hostListReply(1, {host})).records.at(0).cells();
    EXPECT_EQ(cells[ColumnProductType], "香港云服务器");
    EXPECT_EQ(cells[ColumnName], "hk-01");
    EXPECT_EQ(cells[ColumnAddress], "203.0.113.10:3389");
    EXPECT_EQ(cells[ColumnState], "运行中");
    EXPECT_EQ(cells[ColumnConfig], "2核5M");
    EXPECT_EQ(cells[ColumnBandwidth], "");
    EXPECT_EQ(cells[ColumnExpiry], "2027-01-31");
    EXPECT_EQ(cells[ColumnKind], "");
    EXPECT_EQ(cells[ColumnId], "42");
    EXPECT_EQ(cells[ColumnPassword], "Pa55word");
    EXPECT_EQ(cells[ColumnRemark], "备用");

    // Missing keys are empty cells, a missing id included.
    const HostCells bare =
        HostPage::parse(R"({"count":1,"data":[{"VPStypeID":1,"status":"运行中"}]})")
            .records.at(0)
            .cells();
    EXPECT_EQ(bare[ColumnId], "");
    EXPECT_EQ(bare[ColumnConfig], "");
    EXPECT_EQ(bare[ColumnState], "运行中");
}

TEST(HostPage, SecondStateOverridesUnlessExpired)
{
    struct Case
    {
        const char *status;
        const char *zt;
        const char *shown;
    };
    const Case cases[] = {{"运行中", "维护中", "维护中"},
                          {"已到期", "维护中", "已到期"},
                          {"运行中", "", "运行中"},
                          {"已到期", "", "已到期"},
                          {"", "关机", "关机"}};
    for (const Case &c : cases) {
        HostRecord record;
        record.status = c.status;
        record.zt = c.zt;
        EXPECT_EQ(record.shownState(), c.shown) << c.status << "/" << c.zt;
    }
}

TEST(HostPage, SelectorTextChoosesThePage)
{
    const std::pair<const char *, std::int64_t> cases[] = {
        {"", 1}, {"0", 1}, {"1", 1}, {"页", 1}, {"-3", 1}, {"2", 2}, {"3页", 3}, {"12", 12}};
    for (const auto &[text, page] : cases)
        EXPECT_EQ(HostPage::requestedPage(text), page) << text;
    EXPECT_EQ(HostPage::requestPath(2), "/user/data/vpslist?page=2&limit=5&ljs=1");
}

std::vector<HostCells> shown(const HostPage &page)
{
    std::vector<HostCells> rows;
    for (const HostRecord &record : page.records)
        rows.push_back(record.cells());
    return rows;
}

TEST(HostListPlan, WritesOnlyWhatChanged)
{
    std::vector<HostJson> hosts = someHosts(3);
    const HostPage first = HostPage::parse(hostListReply(3, hosts));

    const HostListPlan fill = HostListPlan::make(first, {});
    EXPECT_TRUE(fill.recreateRows);
    EXPECT_EQ(fill.rowCount, 3);
    // Every non-empty cell of the nine written columns (the remark is empty).
    EXPECT_EQ(fill.writes.size(), 3u * 8u);

    const HostListPlan same = HostListPlan::make(first, shown(first));
    EXPECT_FALSE(same.recreateRows);
    EXPECT_TRUE(same.writes.empty());

    hosts[1].status = "已关机";
    const HostListPlan oneState =
        HostListPlan::make(HostPage::parse(hostListReply(3, hosts)), shown(first));
    EXPECT_FALSE(oneState.recreateRows);
    EXPECT_EQ(oneState.writes, (std::vector<CellWrite>{{1, ColumnState, "已关机"}}));

    hosts.pop_back();
    const HostListPlan fewer =
        HostListPlan::make(HostPage::parse(hostListReply(2, hosts)), shown(first));
    EXPECT_TRUE(fewer.recreateRows);
    EXPECT_EQ(fewer.rowCount, 2);
    EXPECT_EQ(fewer.writes.size(), 2u * 8u);

    const HostListPlan none = HostListPlan::make(HostPage::parse(""), shown(first));
    EXPECT_TRUE(none.recreateRows);
    EXPECT_EQ(none.rowCount, 0);
}

class HostListPageTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        page = std::make_unique<HostListPage>(nullptr);
    }
    void apply(long long count, const std::vector<HostJson> &hosts)
    {
        page->applyPage(HostPage::parse(hostListReply(count, hosts)));
    }
    QStringList selectorItems() const
    {
        QStringList items;
        for (int i = 0; i < page->pageSelector()->count(); ++i)
            items << page->pageSelector()->itemText(i);
        return items;
    }
    std::unique_ptr<HostListPage> page;
};

TEST_F(HostListPageTest, ListCarriesElevenColumnsWithTheHiddenOnesAtWidthZero)
{
    QTableWidget *table = page->hostTable();
    EXPECT_EQ(table->objectName(), QStringLiteral("超级列表框EX2"));
    const QStringList titles = {
        QStringLiteral("产品类型"), QStringLiteral("名称"), QStringLiteral("IP/远程地址"),
        QStringLiteral("状态"),     QStringLiteral("配置"), QStringLiteral("带宽"),
        QStringLiteral("到期日期"), QStringLiteral("类型"), QStringLiteral("ID"),
        QStringLiteral("密码"),     QStringLiteral("备注")};
    const int widths[] = {130, 0, 160, 100, 110, 0, 120, 0, 0, 0};
    ASSERT_EQ(table->columnCount(), 11);
    for (int column = 0; column < 11; ++column)
        EXPECT_EQ(table->horizontalHeaderItem(column)->text(), titles[column]);
    for (int column = 0; column < 10; ++column)
        EXPECT_EQ(table->horizontalHeader()->sectionSize(column), widths[column]) << column;
    EXPECT_EQ(page->emptyLabel()->objectName(), QStringLiteral("标签EX1"));
    EXPECT_EQ(page->pageSelector()->objectName(), QStringLiteral("组合框页数"));
}

TEST_F(HostListPageTest, LoadsRewriteOnlyChangedCells)
{
    std::vector<HostJson> hosts = someHosts(5);
    apply(5, hosts);
    QTableWidget *table = page->hostTable();
    ASSERT_EQ(table->rowCount(), 5);
    EXPECT_EQ(table->item(2, ColumnName)->text(), QStringLiteral("host-3"));
    EXPECT_EQ(table->item(2, ColumnState)->foreground().color(), QColor(255, 255, 255, 255));

    QSignalSpy writes(table->model(), &QAbstractItemModel::dataChanged);
    QSignalSpy removed(table->model(), &QAbstractItemModel::rowsRemoved);
    apply(5, hosts);
    EXPECT_EQ(writes.count(), 0);

    hosts[3].status = "已关机";
    apply(5, hosts);
    EXPECT_EQ(removed.count(), 0);
    // The text and the colour of the one cell.
    ASSERT_GE(writes.count(), 1);
    for (const QList<QVariant> &signal : writes) {
        const QModelIndex index = signal.at(0).toModelIndex();
        EXPECT_EQ(index.row(), 3);
        EXPECT_EQ(index.column(), int(ColumnState));
    }

    hosts.pop_back();
    apply(4, hosts);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(table->rowCount(), 4);
    EXPECT_EQ(table->item(3, ColumnState)->text(), QStringLiteral("已关机"));
}

TEST_F(HostListPageTest, SelectorItemsFollowTheCountAndKeepTheText)
{
    page->setSelectorText(QStringLiteral("2"));
    apply(11, someHosts(5));
    EXPECT_EQ(selectorItems().join(QLatin1Char(',')), QStringLiteral("1,2,3"));
    EXPECT_EQ(page->selectorText(), QStringLiteral("2"));
    EXPECT_TRUE(page->emptyLabel()->text().isEmpty());

    apply(6, someHosts(5));
    EXPECT_EQ(selectorItems().join(QLatin1Char(',')), QStringLiteral("1,2"));
    EXPECT_EQ(page->selectorText(), QStringLiteral("2"));

    // No hosts: rows go, the label says so, the selector stays as it was.
    page->applyPage(HostPage::parse("not json"));
    EXPECT_EQ(page->hostTable()->rowCount(), 0);
    EXPECT_EQ(page->emptyLabel()->text(), QStringLiteral("没有开通的云服务器"));
    EXPECT_EQ(selectorItems().join(QLatin1Char(',')), QStringLiteral("1,2"));
    EXPECT_EQ(page->selectorText(), QStringLiteral("2"));

    // Hosts, but none on this page: an empty list without the label.
    apply(6, {});
    EXPECT_EQ(page->hostTable()->rowCount(), 0);
    EXPECT_TRUE(page->emptyLabel()->text().isEmpty());
}

TEST_F(HostListPageTest, SelectedRowGivesItsTexts)
{
    EXPECT_FALSE(page->selectedHost().has_value());
    HostJson host = someHosts(2)[1];
    host.zt = "重装中";
    host.password = "";
    apply(2, {someHosts(1)[0], host});
    page->hostTable()->selectRow(1);
    const std::optional<HostRow> row = page->selectedHost();
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(page->selectedRow(), 1);
    EXPECT_EQ(row->id, "2");
    EXPECT_EQ(row->name, "host-2");
    EXPECT_EQ(row->address, "203.0.113.12");
    EXPECT_EQ(row->state, "重装中");
    EXPECT_EQ(row->password, "");
    EXPECT_EQ(row->productType, "香港云服务器");
}

} // namespace
} // namespace cloud::test
