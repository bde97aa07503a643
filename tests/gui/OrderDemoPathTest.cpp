#include "GuiTestEnvironment.h"
#include "LiveService.h"
#include "MainTestPacing.h"

#include "finance/FinancePage.h"
#include "finance/UserProfile.h"
#include "hosts/HostContextMenu.h"
#include "hosts/HostListPage.h"
#include "hosts/HostRecord.h"
#include "hosts/MainWindow.h"
#include "orders/CataloguePage.h"
#include "orders/ChoiceBox.h"
#include "orders/DateTimeText.h"
#include "orders/MainProgress.h"
#include "orders/OrderFlow.h"
#include "orders/PurchaseWindow.h"
#include "orders/RenewWindow.h"
#include "ui/LoginWindow.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include "Database.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTableWidget>

namespace cloud::test {
namespace {

constexpr int kWaitMs = 10000;

QString qs(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The service keeps local times as "yyyy-MM-dd HH:mm:ss".
QDateTime serviceTime(const std::string &text)
{
    return QDateTime::fromString(QString::fromStdString(text),
                                 QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Saves a picture of `widget` as `name`.png into the directory CLOUD_ORDER_SCREENSHOTS
// names, when it names one (the order screenshots of docs/screenshots are made this way).
void snapshot(QWidget *widget, const char *name,
              const QRect &part = QRect(QPoint(0, 0), QSize(-1, -1)))
{
    const QString dir = qEnvironmentVariable("CLOUD_ORDER_SCREENSHOTS");
    if (dir.isEmpty())
        return;
    QTest::qWait(200); // lets the last repaints land
    EXPECT_TRUE(
        widget->grab(part).save(dir + QStringLiteral("/") + qs(name) + QStringLiteral(".png")));
}

// The demo path as a person walks it: the main window of a signed-in account against the
// reference service in-process, the catalogue, the purchase and renewal dialogs, the host
// list and its menu, each driven through its widgets. Pauses are real but short, so the
// session's refresh loop keeps the profile and the host list current as it does in use.
class OrderDemoPathTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Pacing::install(std::make_shared<ShortPacing>());
        MessageBox::takeRecords();
        MainProgress::reset();
        UserProfile::instance().clear();
        AppSession::instance().setSessionStopped(false);
        AppSession::instance().setSignedInFlag(false);
        service = std::make_unique<LiveService>();
        login = std::make_unique<LoginWindow>();
        window = std::make_unique<MainWindow>(login.get());
        QObject::connect(window.get(), &MainWindow::quitRequested, [] {});
    }

    void TearDown() override
    {
        // An order's worker may still be waiting for the GUI thread.
        EXPECT_TRUE(QTest::qWaitFor([] { return !OrderFlow::isRunning(); }, kWaitMs));
        window.reset();
        login.reset();
        Workers::resetForTests();
        service.reset();
        resetClientState();
    }

    // The hand-over of a sign-in, then the main window's initialisation; returns once the
    // catalogue's types, the account's profile and the service's announcement have arrived.
    void signInAs(const char *account)
    {
        ASSERT_TRUE(service->signIn(account));
        AppSession::instance().setAccountName(account);
        AppSession::instance().setAccountPassword("demo1234");
        QSignalSpy shown(window.get(), &MainWindow::initialised);
        window->initialiseMainWindow();
        ASSERT_TRUE(shown.wait(kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([&] { return catalogue()->typeBox()->count() > 0; }, kWaitMs));
        ASSERT_TRUE(QTest::qWaitFor([] { return !UserProfile::instance().realNameText().empty(); },
                                    kWaitMs));
        QStringList announced;
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                announced << boxes(MessageBox::Kind::Skinned);
                return !announced.isEmpty();
            },
            kWaitMs));
        EXPECT_TRUE(announced.front().startsWith(qs("公告|尊敬的用户")))
            << announced.front().toStdString();
    }

    CataloguePage *catalogue() const { return window->cataloguePage(); }
    QTableWidget *hostTable() const { return window->hostTable(); }

    // A click on a navigation entry.
    void navigate(MainWindow::Entry entry)
    {
        QListWidget *nav = window->navList();
        QTest::mouseClick(nav->viewport(), Qt::LeftButton, {},
                          nav->visualItemRect(nav->item(entry)).center());
        ASSERT_EQ(window->tabBox()->currentIndex(), int(entry));
    }

    // Opens a drop-down list and clicks the item with `text`.
    static void choose(QComboBox *box, const QString &text)
    {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->showPopup();
        QAbstractItemView *view = box->view();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view->window()));
        const QPoint at = view->visualRect(view->model()->index(index, 0)).center();
        QTest::mouseMove(view->viewport(), at);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->isVisible(); }, kWaitMs));
    }

    // Chooses one entry of a catalogue list and waits for what the choice loads.
    void chooseInCatalogue(ChoiceBox *box, const char *text)
    {
        QSignalSpy loaded(catalogue(), &CataloguePage::loadFinished);
        choose(box, qs(text));
        ASSERT_TRUE(loaded.wait(kWaitMs)) << text;
        ASSERT_EQ(box->text(), qs(text));
    }

    static int rowWith(const QTableWidget *table, int column, const QString &text)
    {
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem *item = table->item(row, column);
            if (item && item->text() == text)
                return row;
        }
        return -1;
    }

    static void clickRow(QTableWidget *table, int row, int column)
    {
        const QRect cell = table->visualRect(table->model()->index(row, column));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // Picks type, region and model in the catalogue and presses "购买"; gives the
    // PurchaseWindow once its prices and systems are shown.
    PurchaseWindow *openPurchase(const char *type, const char *region, const char *model)
    {
        navigate(MainWindow::BuyEntry);
        chooseInCatalogue(catalogue()->typeBox(), type);
        chooseInCatalogue(catalogue()->regionBox(), region);
        QTableWidget *products = catalogue()->productList();
        const int row = rowWith(products, 0, qs(model));
        EXPECT_GE(row, 0) << model;
        clickRow(products, row, 0);
        PurchaseWindow *purchase = nullptr;
        const auto connection =
            QObject::connect(catalogue(), &CataloguePage::purchaseWindowOpened,
                             [&](PurchaseWindow *opened) { purchase = opened; });
        QTest::mouseClick(catalogue()->buyButton(), Qt::LeftButton);
        QObject::disconnect(connection);
        if (!purchase)
            return nullptr;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !purchase->isFilling(); }, kWaitMs));
        return purchase;
    }

    // "开通", then the order's captions on the buy button until it is back to "购买".
    QStringList placeOrder(PurchaseWindow *purchase)
    {
        QStringList captions;
        const auto connection =
            QObject::connect(catalogue(), &CataloguePage::buyCaptionChanged,
                             [&](const QString &caption) { captions << caption; });
        QTest::mouseClick(purchase->actionButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !OrderFlow::isRunning() && captions.endsWith(qs("购买")); }, kWaitMs));
        QObject::disconnect(connection);
        return captions;
    }

    refservice::Database &db() { return service->app().database(); }
    std::int64_t balanceCents(std::int64_t account)
    {
        return db()
            .queryOne("SELECT balance_cents FROM accounts WHERE id = ?1", {account})
            ->integer("balance_cents");
    }
    std::int64_t hostCount(std::int64_t account)
    {
        return db()
            .queryOne("SELECT COUNT(*) AS n FROM hosts WHERE account_id = ?1", {account})
            ->integer("n");
    }

    // The finance records' first row (the newest) reads `note` with the expense `yuan`.
    bool financeShowsLatest(const char *note, const char *yuan)
    {
        navigate(MainWindow::FinanceEntry);
        const QTableWidget *records = window->financePage()->recordList();
        return QTest::qWaitFor(
            [&] {
                return records->rowCount() > 0 && records->item(0, 4) &&
                       records->item(0, 4)->text() == qs(note) &&
                       records->item(0, 2)->text() == qs(yuan);
            },
            kWaitMs);
    }

    static bool profileShowsBalance(const char *text)
    {
        return QTest::qWaitFor([&] { return UserProfile::instance().balanceText() == text; },
                               kWaitMs);
    }

    static QStringList boxes(MessageBox::Kind kind)
    {
        QStringList texts;
        for (const MessageBox::Record &record : MessageBox::takeRecords())
            if (record.kind == kind)
                texts << record.title + QStringLiteral("|") + record.text;
        return texts;
    }

    std::unique_ptr<LiveService> service;
    std::unique_ptr<LoginWindow> login;
    std::unique_ptr<MainWindow> window;
};

TEST_F(OrderDemoPathTest, DemoAccountBuysAServerSeesItListedAndRenewsIt)
{
    signInAs("13800000000");
    EXPECT_TRUE(profileShowsBalance("500.00元"));
    const std::int64_t hostsBefore = hostCount(1);

    // A month of the second Hong Kong CN2 model (sold by month and year only) with the
    // second Linux image.
    PurchaseWindow *purchase = openPurchase("香港云服务器", "香港CN2", "香港CN2-进阶型");
    ASSERT_NE(purchase, nullptr);
    EXPECT_FALSE(purchase->periodButton(RentalPeriod::Day)->isEnabled());
    EXPECT_TRUE(purchase->periodButton(RentalPeriod::Annual)->isEnabled());
    EXPECT_EQ(purchase->balanceLabel()->text(), qs("当前余额:500.00元"));
    QTest::mouseClick(purchase->periodButton(RentalPeriod::Annual), Qt::LeftButton);
    EXPECT_EQ(purchase->feeLabel()->text(), qs("1280元"));
    QTest::mouseClick(purchase->periodButton(RentalPeriod::Month), Qt::LeftButton);
    EXPECT_EQ(purchase->feeLabel()->text(), qs("128元"));
    ASSERT_NO_FATAL_FAILURE(choose(purchase->systemBox(), qs("Ubuntu 20.04 64位")));
    snapshot(window.get(), "catalogue", QRect(145, 91, 754, 402)); // the page with a margin
    snapshot(purchase, "purchase");
    const QString promisedStart = purchase->openTimeLabel()->text();
    const QString promisedEnd = purchase->expiryLabel()->text();
    const QPointer<PurchaseWindow> purchaseOpen(purchase);
    const QStringList captions = placeOrder(purchase);
    EXPECT_TRUE(purchaseOpen.isNull() || !purchaseOpen->isVisible());
    EXPECT_EQ(captions, QStringList({qs("  开通中"), qs("   开通成功"), qs("购买")}));
    EXPECT_TRUE(boxes(MessageBox::Kind::Skinned).isEmpty());

    // The service opened one host of that model and charged the month.
    ASSERT_EQ(hostCount(1), hostsBefore + 1);
    const auto host = db().queryOne("SELECT id, name, os, start_time, end_time FROM hosts "
                                    "WHERE account_id = 1 ORDER BY id DESC LIMIT 1");
    ASSERT_TRUE(host);
    EXPECT_EQ(host->text("os"), "Ubuntu 20.04 64位");
    // The dialog's dates are the ones the service keeps.
    const QDateTime start = serviceTime(host->text("start_time"));
    const QDateTime end = serviceTime(host->text("end_time"));
    EXPECT_EQ(dateText(start), promisedStart);
    EXPECT_EQ(dateText(end), promisedEnd);
    EXPECT_EQ(end, start.addMonths(1));
    EXPECT_EQ(balanceCents(1), 50000 - 12800);
    EXPECT_TRUE(profileShowsBalance("372.00元"));
    EXPECT_TRUE(financeShowsLatest("购买 香港CN2-进阶型 1个月", "￥128"));

    // The host list: the newest host is on the last page.
    navigate(MainWindow::HostsEntry);
    QComboBox *pages = window->hostListPage()->pageSelector();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pages->count() == 2; }, kWaitMs));
    ASSERT_NO_FATAL_FAILURE(choose(pages, qs("2")));
    const QString address = QString::fromStdString(host->text("name"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return rowWith(hostTable(), ColumnAddress, address) >= 0; },
                                kWaitMs));
    const int row = rowWith(hostTable(), ColumnAddress, address);
    EXPECT_EQ(hostTable()->item(row, ColumnProductType)->text(), qs("香港云服务器"));
    EXPECT_EQ(hostTable()->item(row, ColumnState)->text(), qs("运行中"));
    EXPECT_EQ(hostTable()->item(row, ColumnId)->text(), QString::fromStdString(host->text("id")));

    // Its menu's "续费主机" opens the renewal for it.
    clickRow(hostTable(), row, ColumnAddress);
    const QPoint at =
        hostTable()->visualRect(hostTable()->model()->index(row, ColumnAddress)).center();
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, at,
                                hostTable()->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(hostTable()->viewport(), &menuEvent);
    auto *menu = hostTable()->findChild<HostContextMenu *>();
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu->menu()->isVisible(); }, kWaitMs));
    menu->action(HostMenuItem::Renew)->trigger();
    menu->menu()->close();
    RenewWindow *renew = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            renew = window->findChild<RenewWindow *>();
            return renew && renew->isVisible() && !renew->isBusy();
        },
        kWaitMs));
    EXPECT_EQ(renew->hostId(), QString::fromStdString(host->text("id")));
    EXPECT_EQ(renew->findChild<QLabel *>(qs("主机名称"))->text(), address);
    EXPECT_EQ(renew->expiryLabel()->text(), QString::fromStdString(host->text("end_time")));
    EXPECT_FALSE(renew->periodButton(RentalPeriod::Day)->isEnabled());
    EXPECT_EQ(renew->feeLabel()->text(), qs("128元"));
    EXPECT_EQ(renew->balanceLabel()->text(), qs("当前余额:372.00元"));

    snapshot(renew, "renew");

    // One more month, paid from the balance; the list shows the new end.
    QSignalSpy answered(renew, &RenewWindow::renewalAnswered);
    const QPointer<RenewWindow> renewOpen(renew);
    QTest::mouseClick(renew->actionButton(), Qt::LeftButton);
    ASSERT_TRUE(answered.wait(kWaitMs));
    EXPECT_TRUE(answered.at(0).at(0).toBool());
    EXPECT_TRUE(renewOpen.isNull() || !renewOpen->isVisible());
    EXPECT_EQ(boxes(MessageBox::Kind::Information), QStringList{qs("信息：|续费成功")});
    const auto renewed =
        db().queryOne("SELECT end_time FROM hosts WHERE id = ?1", {host->integer("id")});
    ASSERT_TRUE(renewed);
    EXPECT_EQ(serviceTime(renewed->text("end_time")), end.addMonths(1));
    EXPECT_EQ(balanceCents(1), 50000 - 12800 - 12800);
    EXPECT_TRUE(profileShowsBalance("244.00元"));
    EXPECT_TRUE(financeShowsLatest("续费 香港CN2-进阶型 1个月", "￥128"));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const int shown = rowWith(hostTable(), ColumnAddress, address);
            return shown >= 0 &&
                   hostTable()->item(shown, ColumnExpiry)->text() ==
                       QString::fromStdString(renewed->text("end_time").substr(0, 10));
        },
        kWaitMs));
}

TEST_F(OrderDemoPathTest, AnAccountShortOfMoneyGetsTheServicesRefusalAndNoHost)
{
    signInAs("13900000000");
    EXPECT_TRUE(profileShowsBalance("12.50元"));
    PurchaseWindow *purchase = openPurchase("香港云服务器", "香港CN2", "香港CN2-基础型");
    ASSERT_NE(purchase, nullptr);
    EXPECT_EQ(purchase->feeLabel()->text(), qs("68元"));
    const QStringList captions = placeOrder(purchase);
    EXPECT_EQ(captions, QStringList({qs("  开通中"), qs("购买")}));
    EXPECT_EQ(boxes(MessageBox::Kind::Skinned), QStringList{qs("错误|余额不足，请先充值")});
    EXPECT_EQ(hostCount(2), 1);
    EXPECT_EQ(balanceCents(2), 1250);
    EXPECT_TRUE(catalogue()->buyButton()->isEnabled());
}

} // namespace
} // namespace cloud::test
