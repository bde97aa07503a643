#pragma once

#include <QWidget>

class QComboBox;
class QPushButton;
class QTableWidget;

namespace cloud {

class BusyIndicator;
class ProgressPhase;

// Page 2 of the main window: product type `类型选择框`, region `地区选择框`, the product
// models `超级列表框EX3` and the buy button `购买按钮` with the purchase's busy picture
// (`图片框登录进度1`, timer `时钟2`). Controls only; the catalogue flow fills them.
class CataloguePage : public QWidget
{
    Q_OBJECT
public:
    CataloguePage(ProgressPhase &phase, QWidget *parent);

    QComboBox *typeBox() const { return m_types; }
    QComboBox *regionBox() const { return m_regions; }
    QTableWidget *productList() const { return m_products; }
    QPushButton *buyButton() const { return m_buy; }
    BusyIndicator *busy() const { return m_busy; }

private:
    QComboBox *m_types = nullptr;
    QComboBox *m_regions = nullptr;
    QTableWidget *m_products = nullptr;
    QPushButton *m_buy = nullptr;
    BusyIndicator *m_busy = nullptr;
};

} // namespace cloud
