#include "hosts/HostContextMenu.h"

#include "HostServiceFake.h"
#include "HostTestContext.h"
#include "hosts/HostOperations.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>

using namespace cloud;
using namespace cloud::test;

namespace {

// The host list as the main window sets it up: eleven columns, whole rows selected.
class HostContextMenuTest : public HostGuiTest
{
protected:
    void SetUp() override
    {
        HostGuiTest::SetUp();
        list.setObjectName(QStringLiteral("超级列表框EX2"));
        list.setColumnCount(11);
        list.setSelectionBehavior(QAbstractItemView::SelectRows);
        list.setSelectionMode(QAbstractItemView::SingleSelection);
        list.setEditTriggers(QAbstractItemView::NoEditTriggers);
        list.resize(700, 300);
        addRow({"标准型", "hk-01", "203.0.113.7:3390", "运行中", "", "", "", "", "42", "", "备用"});
        addRow({"显卡型", "gz-02", "198.51.100.2", "已到期", "", "", "", "", "43", "Pw2", ""});
        list.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
    }
    void addRow(const std::vector<const char *> &cells)
    {
        const int row = list.rowCount();
        list.insertRow(row);
        for (int column = 0; column < static_cast<int>(cells.size()); ++column) {
            if (*cells[column])
                list.setItem(row, column, new QTableWidgetItem(QString::fromUtf8(cells[column])));
        }
    }
    HostContextMenu *build(bool withSelection = false)
    {
        return buildHostContextMenu(&list, recorder.context(withSelection));
    }
    QPoint cellCentre(int row, int column) const
    {
        return list.visualRect(list.model()->index(row, column)).center();
    }
    // A double-click as the user makes it: a click, then the second press.
    void doubleClick(const QPoint &pos)
    {
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, pos);
        QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, pos);
    }
    // A right-click as the platform delivers it: the press, then the menu request.
    void rightClick(const QPoint &pos)
    {
        QTest::mousePress(list.viewport(), Qt::RightButton, {}, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, list.viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(list.viewport(), &event);
        QTest::mouseRelease(list.viewport(), Qt::RightButton, {}, pos);
    }

    HostActionsRecorder recorder;
    QTableWidget list;
};

int visibleHostWindows()
{
    int count = 0;
    for (const QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->inherits("cloud::HostOperationWindow") ? 1 : 0;
    return count;
}

QStringList texts(const QMenu *menu)
{
    QStringList result;
    for (const QAction *action : menu->actions())
        result << action->text();
    return result;
}

} // namespace

TEST_F(HostContextMenuTest, MenuAndSubmenuInOrder)
{
    HostContextMenu *installed = build();
    EXPECT_EQ(texts(installed->menu()),
              (QStringList{QStringLiteral("连接主机"), QStringLiteral("复制主机IP"),
                           QStringLiteral("管理主机"), QStringLiteral("复制主机密码"),
                           QStringLiteral("复制售后名称"), QStringLiteral("设置备注")}));
    EXPECT_EQ(installed->menu()->actions()[2]->menu(), installed->manageMenu());
    EXPECT_EQ(texts(installed->manageMenu()),
              (QStringList{QStringLiteral("重启主机"), QStringLiteral("重置系统"),
                           QStringLiteral("续费主机"), QStringLiteral("申请退款"),
                           QStringLiteral("修改密码")}));
}

TEST_F(HostContextMenuTest, BuildingAgainReplacesTheFirstInstallation)
{
    build();
    HostContextMenu *second = build();
    EXPECT_EQ(list.findChildren<HostContextMenu *>().size(), 1);
    EXPECT_EQ(recorder.mainWindow.findChildren<QMenu *>(QStringLiteral("主机菜单")).size(), 1);

    doubleClick(cellCentre(1, 2));
    EXPECT_EQ(recorder.connected.size(), 1u);
    list.selectRow(0);
    second->action(HostMenuItem::CopyName)->trigger();
    EXPECT_EQ(MessageBox::takeRecords().size(), 1);
}

TEST_F(HostContextMenuTest, RightClickSelectsTheRowHitAndNothingElse)
{
    HostContextMenu *installed = build();
    rightClick(cellCentre(1, 0));
    EXPECT_EQ(list.currentRow(), 1);
    ASSERT_TRUE(installed->menu()->isVisible());
    installed->menu()->hide();

    // Below the last row: no menu, and the selection stays where it was.
    rightClick(QPoint(20, list.rowViewportPosition(1) + list.rowHeight(1) + 30));
    EXPECT_FALSE(installed->menu()->isVisible());
    EXPECT_EQ(list.currentRow(), 1);
    ASSERT_EQ(list.selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(list.selectionModel()->selectedRows()[0].row(), 1);
}

TEST_F(HostContextMenuTest, CopiesTheCellsAndSaysSo)
{
    HostContextMenu *installed = build();
    list.selectRow(0);
    const std::pair<HostMenuItem, QString> cases[] = {
        {HostMenuItem::CopyAddress, QStringLiteral("203.0.113.7:3390")},
        {HostMenuItem::CopyName, QStringLiteral("hk-01")},
        // The first host has no password: empty text replaces the clipboard's content.
        {HostMenuItem::CopyPassword, QString()},
    };
    for (const auto &[item, copied] : cases) {
        QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
        installed->action(item)->trigger();
        EXPECT_EQ(QGuiApplication::clipboard()->text(), copied);
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].title, QStringLiteral("信息："));
        EXPECT_EQ(boxes[0].text, QStringLiteral("复制成功"));
    }
}

TEST_F(HostContextMenuTest, ItemsActOnTheSelectedRow)
{
    HostContextMenu *installed = build();
    list.selectRow(1);
    installed->action(HostMenuItem::Connect)->trigger();
    installed->action(HostMenuItem::Renew)->trigger();
    ASSERT_EQ(recorder.connected.size(), 1u);
    EXPECT_EQ(recorder.connected[0].productType, "显卡型");
    EXPECT_EQ(recorder.connected[0].name, "gz-02");
    EXPECT_EQ(recorder.connected[0].address, "198.51.100.2");
    EXPECT_EQ(recorder.connected[0].state, "已到期");
    EXPECT_EQ(recorder.connected[0].id, "43");
    EXPECT_EQ(recorder.connected[0].password, "Pw2");
    ASSERT_EQ(recorder.renewed.size(), 1u);
    EXPECT_EQ(recorder.renewed[0].id, "43");

    // The main window's own reading of the selection is used when it gives one.
    recorder.selected = sampleHost();
    build(true)->action(HostMenuItem::Renew)->trigger();
    ASSERT_EQ(recorder.renewed.size(), 2u);
    EXPECT_EQ(recorder.renewed[1].id, "42");
    EXPECT_EQ(recorder.renewed[1].address, "203.0.113.7:3390");
}

TEST_F(HostContextMenuTest, UnverifiedAccountIsRefusedEveryItemButTheDoubleClickConnects)
{
    HostServiceFake service;
    HostContextMenu *installed = build();
    list.selectRow(0);
    recorder.realName = QStringLiteral("未实名");
    QGuiApplication::clipboard()->setText(QStringLiteral("earlier"));
    const HostMenuItem items[] = {HostMenuItem::Connect,        HostMenuItem::CopyAddress,
                                  HostMenuItem::Restart,        HostMenuItem::Reinstall,
                                  HostMenuItem::Renew,          HostMenuItem::Refund,
                                  HostMenuItem::ChangePassword, HostMenuItem::CopyPassword,
                                  HostMenuItem::CopyName,       HostMenuItem::Remark};
    for (HostMenuItem item : items) {
        installed->action(item)->trigger();
        const auto boxes = MessageBox::takeRecords();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_EQ(boxes[0].text, QStringLiteral("您还未实名认证，请先进行实名"));
    }
    EXPECT_EQ(recorder.profileOpenings, 10);
    EXPECT_TRUE(recorder.connected.empty());
    EXPECT_TRUE(recorder.renewed.empty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("earlier"));
    EXPECT_EQ(visibleHostWindows(), 0);
    EXPECT_EQ(Workers::running(), 0);
    EXPECT_TRUE(service.requests().empty());

    doubleClick(cellCentre(1, 0));
    ASSERT_EQ(recorder.connected.size(), 1u);
    EXPECT_EQ(recorder.connected[0].id, "43");
    EXPECT_EQ(recorder.profileOpenings, 10);
}

TEST_F(HostContextMenuTest, RunningOperationsShowTheirItemsDisabled)
{
    HostServiceFake service;
    service.hold();
    HostContextMenu *installed = build();
    list.selectRow(0);
    installed->action(HostMenuItem::Restart)->trigger();
    ASSERT_TRUE(waitUntil([&] { return service.requests().size() == 1; }));
    installed->menu()->popup(QPoint(10, 10));
    EXPECT_FALSE(installed->action(HostMenuItem::Restart)->isEnabled());
    EXPECT_TRUE(installed->action(HostMenuItem::Refund)->isEnabled());
    installed->menu()->hide();
    service.release();
    ASSERT_TRUE(waitUntil(
        [&] { return !installed->operations()->isRunning(HostOperations::Operation::Restart); }));
    EXPECT_EQ(recorder.reloads, 1);
}
