#pragma once

#include "hosts/HostPage.h"

#include <QWidget>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QTableWidget;

namespace cloud {

// Page 0 of the main window: the host list `超级列表框EX2`, the empty-list label `标签EX1`,
// the tip line `标签EX3` and the page selector `组合框页数` ("第" … "页"). A view only: it
// applies pages that a loader brings and answers what the selected row holds.
class HostListPage : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char *noHostsText = "没有开通的云服务器";

    explicit HostListPage(QWidget *parent);

    // Brings the list, the empty-list label and the selector's items up to date with a
    // loaded page. The selector's text stays as it is.
    void applyPage(const HostPage &page);

    // What the list shows now, row by row.
    std::vector<HostCells> currentCells() const;
    // The selected row's texts; nothing when no row is selected.
    std::optional<HostRow> selectedHost() const;
    int selectedRow() const;

    QString selectorText() const;
    void setSelectorText(const QString &text);
    void setTip(const QString &text);

    QTableWidget *hostTable() const { return m_table; }
    QComboBox *pageSelector() const { return m_selector; }
    QLabel *emptyLabel() const { return m_empty; }
    QLabel *tipLabel() const { return m_tip; }

signals:
    // The user picked another page in the selector.
    void pageChosen();
    // The selector's text changed (by the user or the program).
    void selectorTextChanged(const QString &text);

private:
    void createTable();
    void createFooter();
    void setPageItems(std::int64_t pages);
    void writeCell(const CellWrite &write);
    QString cellText(int row, int column) const;

    QTableWidget *m_table = nullptr;
    QLabel *m_empty = nullptr;
    QLabel *m_tip = nullptr;
    QComboBox *m_selector = nullptr;
};

} // namespace cloud
