#include "hosts/HostContextMenu.h"

#include "hosts/HostOperations.h"
#include "remote/RemoteDesktop.h"
#include "ui/MessageBox.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>

namespace cloud {

namespace {

// The menu's looks: "微软雅黑" at 14, items 300 wide and 28 high.
const char *const kMenuStyle = R"(
QMenu {
    font-family: "微软雅黑", "Microsoft YaHei", "Noto Sans CJK SC", sans-serif;
    font-size: 14pt;
    background-color: #1C2231;
    border: 1px solid #343D50;
    padding: 4px 0;
}
QMenu::item {
    color: #E6E6E6;
    min-width: 268px;
    height: 28px;
    padding: 0 16px;
}
QMenu::item:selected { background-color: #3D8BFD; color: #FFFFFF; }
QMenu::item:disabled { color: #6B7385; }
QMenu::right-arrow { width: 10px; height: 10px; }
)";

const QString kUnverified = QStringLiteral("未实名");

std::string cellText(const QTableWidget *list, int row, int column)
{
    const QTableWidgetItem *item = list->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

} // namespace

HostContextMenu::HostContextMenu(QTableWidget *list, HostActionsContext context)
    : QObject(list), m_list(list), m_context(std::move(context))
{
    setObjectName(QStringLiteral("HostContextMenu"));
    m_operations = new HostOperations(m_context, this);
    createMenus();
    connectList();
}

HostContextMenu::~HostContextMenu()
{
    // The menu belongs to the main window, which outlives this installation.
    delete m_menu;
}

HostRow HostContextMenu::rowAt(const QTableWidget *list, int row)
{
    return HostRow{cellText(list, row, ProductTypeColumn), cellText(list, row, NameColumn),
                   cellText(list, row, AddressColumn),     cellText(list, row, StateColumn),
                   cellText(list, row, IdColumn),          cellText(list, row, PasswordColumn)};
}

void HostContextMenu::createMenus()
{
    m_menu = new QMenu(m_context.parent ? m_context.parent : m_list);
    m_menu->setObjectName(QStringLiteral("主机菜单"));
    m_menu->setStyleSheet(QString::fromUtf8(kMenuStyle));
    addItem(m_menu, HostMenuItem::Connect, QStringLiteral("连接主机"));
    addItem(m_menu, HostMenuItem::CopyAddress, QStringLiteral("复制主机IP"));
    // Clicking the submenu's own entry only opens it.
    m_manage = m_menu->addMenu(QStringLiteral("管理主机"));
    m_manage->setObjectName(QStringLiteral("管理主机"));
    addItem(m_manage, HostMenuItem::Restart, QStringLiteral("重启主机"));
    addItem(m_manage, HostMenuItem::Reinstall, QStringLiteral("重置系统"));
    addItem(m_manage, HostMenuItem::Renew, QStringLiteral("续费主机"));
    addItem(m_manage, HostMenuItem::Refund, QStringLiteral("申请退款"));
    addItem(m_manage, HostMenuItem::ChangePassword, QStringLiteral("修改密码"));
    addItem(m_menu, HostMenuItem::CopyPassword, QStringLiteral("复制主机密码"));
    addItem(m_menu, HostMenuItem::CopyName, QStringLiteral("复制售后名称"));
    addItem(m_menu, HostMenuItem::Remark, QStringLiteral("设置备注"));
    connect(m_menu, &QMenu::aboutToShow, this, &HostContextMenu::refreshItemStates);
}

void HostContextMenu::addItem(QMenu *menu, HostMenuItem item, const QString &text)
{
    QAction *action = menu->addAction(text);
    connect(action, &QAction::triggered, this, [this, item] { onHostMenuItem(item); });
    m_actions[item] = action;
}

QAction *HostContextMenu::action(HostMenuItem item) const
{
    const auto found = m_actions.find(item);
    return found == m_actions.end() ? nullptr : found->second;
}

void HostContextMenu::connectList()
{
    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this,
            &HostContextMenu::onHostListRightClick);
    connect(m_list, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { onHostListDoubleClick(row); });
    m_viewport = m_list->viewport();
    m_viewport->installEventFilter(this);
}

// The view would clear its selection on a right press below the last row; that
// press is kept from it, so such a click changes nothing.
bool HostContextMenu::eventFilter(QObject *watched, QEvent *event)
{
    // Only a press is looked at: the filter also sees the viewport's last events while
    // the list is being destroyed, when the list can no longer be asked anything.
    if (event->type() == QEvent::MouseButtonPress && watched == m_viewport) {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (press->button() == Qt::RightButton &&
            !m_list->indexAt(press->position().toPoint()).isValid())
            return true;
    }
    return QObject::eventFilter(watched, event);
}

// An operation whose request is still under way shows its item disabled.
void HostContextMenu::refreshItemStates()
{
    using Operation = HostOperations::Operation;
    const std::pair<HostMenuItem, Operation> gated[] = {
        {HostMenuItem::Restart, Operation::Restart},
        {HostMenuItem::Reinstall, Operation::Reinstall},
        {HostMenuItem::Refund, Operation::Refund},
        {HostMenuItem::ChangePassword, Operation::ChangePassword},
        {HostMenuItem::Remark, Operation::Remark}};
    for (const auto &[item, operation] : gated)
        action(item)->setEnabled(!m_operations->isRunning(operation));
}

void HostContextMenu::onHostListRightClick(const QPoint &pos)
{
    const QModelIndex index = m_list->indexAt(pos);
    if (!index.isValid())
        return;
    m_list->setCurrentCell(index.row(), index.column());
    if (!m_list->selectionModel()->isSelected(index))
        return;
    m_menu->popup(m_list->viewport()->mapToGlobal(pos));
}

// A double-click connects without the real-name gate of the menu items.
void HostContextMenu::onHostListDoubleClick(int row)
{
    if (row < 0 || row >= m_list->rowCount())
        return;
    connectHost(rowAt(m_list, row));
}

std::optional<HostRow> HostContextMenu::selectedRow() const
{
    if (m_context.selectedRow)
        return m_context.selectedRow();
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty())
        return std::nullopt;
    return rowAt(m_list, row);
}

void HostContextMenu::onHostMenuItem(HostMenuItem item)
{
    if (m_context.realNameText && m_context.realNameText() == kUnverified) {
        MessageBox::information(m_context.parent, QStringLiteral("您还未实名认证，请先进行实名"));
        if (m_context.openProfile)
            m_context.openProfile();
        return;
    }
    // The list may have been rebuilt under the open menu; then there is no host to act on.
    if (const std::optional<HostRow> host = selectedRow())
        perform(item, *host);
}

void HostContextMenu::perform(HostMenuItem item, const HostRow &host)
{
    switch (item) {
    case HostMenuItem::Connect:
        return connectHost(host);
    case HostMenuItem::CopyAddress:
        return copyToClipboard(host.address);
    case HostMenuItem::CopyPassword:
        return copyToClipboard(host.password);
    case HostMenuItem::CopyName:
        return copyToClipboard(host.name);
    case HostMenuItem::Restart:
        m_operations->restartHost(host);
        return;
    case HostMenuItem::Reinstall:
        m_operations->openReinstallWindow(host);
        return;
    case HostMenuItem::Renew:
        if (m_context.renew)
            m_context.renew(host);
        return;
    case HostMenuItem::Refund:
        m_operations->requestRefund(host);
        return;
    case HostMenuItem::ChangePassword:
        m_operations->openChangePasswordWindow(host);
        return;
    case HostMenuItem::Remark:
        m_operations->openRemarkWindow(host);
        return;
    }
}

void HostContextMenu::copyToClipboard(const std::string &text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
    MessageBox::information(m_context.parent, QStringLiteral("复制成功"));
}

void HostContextMenu::connectHost(const HostRow &host)
{
    if (m_context.connect)
        m_context.connect(host);
    else
        connectSelectedHost(m_context.parent, host);
}

HostContextMenu *buildHostContextMenu(QTableWidget *list, HostActionsContext context)
{
    if (!list)
        return nullptr;
    for (HostContextMenu *earlier :
         list->findChildren<HostContextMenu *>(Qt::FindDirectChildrenOnly))
        delete earlier;
    return new HostContextMenu(list, std::move(context));
}

} // namespace cloud
