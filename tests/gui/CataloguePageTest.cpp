#include "OrdersTestSupport.h"

#include "orders/CataloguePage.h"
#include "orders/ChoiceBox.h"
#include "orders/PurchaseWindow.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

namespace cloud::test {
namespace {

const char *kTypes = R"({"count":3,"data":[{"cplxmc":"云服务器"},{"cplxmc":"挂机宝"},)"
                     R"({"cplxmc":"云电脑"}]})";
const char *kProducts =
    R"({"count":2,"data":[)"
    R"({"VPStype":"标准型S1","CpuNum":2,"MAXRAM":2048,"MAXSPACE":40,"Maxmbps8":5,)"
    R"("month":30,"id":17,"zy":"自营","lx":"KVM"},)"
    R"({"VPStype":"高频型H2","CpuNum":"4","MAXRAM":"8192","MAXSPACE":"80","Maxmbps8":"10",)"
    R"("month":"88.5","id":"abc","zy":"合作","lx":"KVM"}]})";

class CataloguePageTest : public OrdersTest
{
protected:
    void SetUp() override
    {
        OrdersTest::SetUp();
        page = std::make_unique<CataloguePage>(OrdersContext{});
    }
    void TearDown() override
    {
        page.reset();
        OrdersTest::TearDown();
    }

    // Runs one load and waits until the page has shown its result.
    bool load(const std::function<void()> &start)
    {
        QSignalSpy finished(page.get(), &CataloguePage::loadFinished);
        start();
        return finished.wait(10000) && !page->isLoading();
    }
    static QStringList items(const QComboBox *box)
    {
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    QString cell(int row, int column) const
    {
        const QTableWidgetItem *item = page->productList()->item(row, column);
        return item ? item->text() : QStringLiteral("<none>");
    }
    void showProducts()
    {
        service->on("POST", "/user/xlmchq", R"({"count":1,"data":[{"id":7}]})");
        service->on("POST", "/user/cplxlist", R"({"count":1,"data":[{"id":3}]})");
        service->on("POST", "/user/ycplist", kProducts);
        page->typeBox()->setText(QStringLiteral("云服务器"));
        page->regionBox()->setText(QStringLiteral("华东 上海"));
        ASSERT_TRUE(load([&] { page->onRegionChosen(); }));
    }

    std::unique_ptr<CataloguePage> page;
};

TEST_F(CataloguePageTest, TypesFillTheListAndShowTheFirst)
{
    service->on("GET", "/user/cplxlist", kTypes);
    ASSERT_TRUE(load([&] { page->loadProductTypes(); }));
    // A second sign-in loads again and keeps each type once.
    ASSERT_TRUE(load([&] { page->loadProductTypes(); }));
    EXPECT_EQ(items(page->typeBox()), qsl({"云服务器", "挂机宝", "云电脑"}));
    EXPECT_EQ(page->typeBox()->text(), QStringLiteral("云服务器"));

    // No types: the list is emptied, its text stays.
    service->on("GET", "/user/cplxlist", R"({"count":0,"data":[]})");
    ASSERT_TRUE(load([&] { page->loadProductTypes(); }));
    EXPECT_EQ(page->typeBox()->count(), 0);
    EXPECT_EQ(page->typeBox()->text(), QStringLiteral("云服务器"));

    // No reply at all: the list keeps what it has.
    service->on("GET", "/user/cplxlist", kTypes);
    ASSERT_TRUE(load([&] { page->loadProductTypes(); }));
    service->on("GET", "/user/cplxlist", "");
    ASSERT_TRUE(load([&] { page->loadProductTypes(); }));
    EXPECT_EQ(page->typeBox()->count(), 3);
}

TEST_F(CataloguePageTest, RegionsAreListedOnceInTheirFirstOrder)
{
    service->on("POST", "/user/cplxlist", R"({"count":1,"data":[{"id":3}]})");
    service->on("POST", "/user/xllist",
                R"({"count":4,"data":[{"xlmc":"华东 上海"},{"xlmc":"华北 北京"},)"
                R"({"xlmc":"华东 上海"},{"xlmc":"华东 上海 "}]})");
    page->typeBox()->setText(QStringLiteral("云服务器"));
    ASSERT_TRUE(load([&] { page->onTypeChosen(); }));
    EXPECT_EQ(items(page->regionBox()), qsl({"华东 上海", "华北 北京", "华东 上海 "}));
    EXPECT_EQ(page->regionBox()->text(), QStringLiteral("华东 上海"));

    // The type travels by name, the regions by the identifier the lookup gave.
    const auto lookups = service->requestsTo("/user/cplxlist");
    ASSERT_EQ(lookups.size(), 1u);
    EXPECT_EQ(lookups[0].body, "cplxmc=云服务器");
    EXPECT_EQ(service->requestsTo("/user/xllist").at(0).body, "lxid=3");
}

TEST_F(CataloguePageTest, WithoutRegionsTheListSaysComingSoon)
{
    service->on("POST", "/user/xllist", R"({"count":2,"data":[{"xlmc":"A"},{"xlmc":"B"}]})");
    ASSERT_TRUE(load([&] { page->onTypeChosen(); }));
    ASSERT_EQ(page->regionBox()->count(), 2);

    // No reply: the items stay, the text says so.
    service->on("POST", "/user/xllist", "");
    ASSERT_TRUE(load([&] { page->onTypeChosen(); }));
    EXPECT_EQ(page->regionBox()->count(), 2);
    EXPECT_EQ(page->regionBox()->text(), QStringLiteral("即将上架"));

    // A count of 0, or a reply that is no JSON: no items.
    for (const char *reply : {R"({"count":0,"data":[]})", "<html></html>"}) {
        service->on("POST", "/user/xllist", reply);
        page->regionBox()->setText(QStringLiteral("A"));
        ASSERT_TRUE(load([&] { page->onTypeChosen(); }));
        EXPECT_EQ(page->regionBox()->count(), 0) << reply;
        EXPECT_EQ(page->regionBox()->text(), QStringLiteral("即将上架")) << reply;
    }
    // The lookup failed, yet the regions were asked for, with an empty identifier.
    EXPECT_EQ(service->requestsTo("/user/xllist").back().body, "lxid=");
}

TEST_F(CataloguePageTest, ProductsFillNineColumnsWithTheIdentifierHidden)
{
    showProducts();
    QTableWidget *list = page->productList();
    ASSERT_EQ(list->rowCount(), 2);
    ASSERT_EQ(list->columnCount(), 9);
    const QStringList first =
        qsl({"标准型S1", "2核", "2048M", "40G", "5M", "30元/月", "17", "自营", "KVM"});
    for (int column = 0; column < 9; ++column) {
        EXPECT_EQ(cell(0, column), first[column]) << column;
        EXPECT_EQ(list->item(0, column)->foreground().color(), QColor(Qt::white));
    }
    EXPECT_EQ(cell(1, 5), QStringLiteral("88.5元/月"));
    EXPECT_TRUE(list->isColumnHidden(6));
    EXPECT_EQ(list->horizontalHeaderItem(6)->text(), QStringLiteral("ID"));
    EXPECT_EQ(service->requestsTo("/user/ycplist").at(0).body, "xlid=7&cplxid=3");
    EXPECT_EQ(service->requestsTo("/user/xlmchq").at(0).body, "xlmc=华东 上海");

    // Another type leaves the rows until a region is chosen.
    service->on("POST", "/user/xllist", R"({"count":1,"data":[{"xlmc":"香港"}]})");
    ASSERT_TRUE(load([&] { page->onTypeChosen(); }));
    EXPECT_EQ(list->rowCount(), 2);

    // A region whose lookup gets no reply empties the list.
    service->on("POST", "/user/xlmchq", "");
    list->selectRow(1);
    ASSERT_TRUE(load([&] { page->onRegionChosen(); }));
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(page->selectedRow(), -1);
}

TEST_F(CataloguePageTest, TheBuyButtonWantsAProductAndARegion)
{
    showProducts();
    page->buyButton()->click();
    EXPECT_EQ(boxTexts(), qsl({"请选择购买的产品"}));

    page->productList()->selectRow(1);
    page->regionBox()->setText(QString());
    page->buyButton()->click();
    EXPECT_EQ(boxTexts(), qsl({"请选择地区"}));

    page->regionBox()->setText(QStringLiteral("华东 上海"));
    QList<PurchaseWindow *> opened;
    QObject::connect(page.get(), &CataloguePage::purchaseWindowOpened,
                     [&](PurchaseWindow *window) { opened << window; });
    page->buyButton()->click();
    ASSERT_EQ(opened.size(), 1);
    PurchaseWindow *purchase = opened.front();
    EXPECT_EQ(purchase->productId(), QStringLiteral("abc"));
    EXPECT_TRUE(purchase->isModal());
    EXPECT_TRUE(boxTexts().isEmpty());
    ASSERT_TRUE(waitFor([&] { return !purchase->isFilling(); }));
    purchase->close();
}

// The main window's tab box is as large as the page and clips whatever reaches beyond it.
TEST_F(CataloguePageTest, EveryControlLiesWithinThePage)
{
    for (const QWidget *control : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        EXPECT_TRUE(page->rect().contains(control->geometry()))
            << control->objectName().toStdString();
}

TEST_F(CataloguePageTest, ChoicesWaitForTheLoadUnderWay)
{
    service->on("GET", "/user/cplxlist", kTypes);
    QSignalSpy finished(page.get(), &CataloguePage::loadFinished);
    page->loadProductTypes();
    EXPECT_FALSE(page->typeBox()->isEnabled());
    EXPECT_FALSE(page->regionBox()->isEnabled());
    // Refused while the types load: no region request goes out.
    page->onTypeChosen();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_TRUE(page->typeBox()->isEnabled());
    EXPECT_TRUE(service->requestsTo("/user/xllist").empty());
}

} // namespace
} // namespace cloud::test
