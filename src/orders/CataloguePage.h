#pragma once

#include "orders/OrdersContext.h"
#include "orders/ProductRecord.h"

#include <QWidget>

#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace cloud {

class BusyIndicator;
class ChoiceBox;
class PurchaseWindow;

// Page 2 of the main window, "购买产品": the product type `类型选择框`, the region line
// `地区选择框`, the product models `超级列表框EX3` (column 6, hidden, keeps the product
// identifier) and the buy button `购买按钮`, over which the purchase's busy picture
// `图片框登录进度1` (timer `时钟2`, phase MainProgress) shows an order's progress.
//
// The loads run on workers; while one is under way the two drop-down lists take no
// choice and the buy button opens nothing, as the page would not react while waiting.
// Call everything on the GUI thread.
class CataloguePage : public QWidget
{
    Q_OBJECT
public:
    static constexpr int pageWidth = 722;
    static constexpr int pageHeight = 418;

    explicit CataloguePage(OrdersContext context, QWidget *parent = nullptr);
    ~CataloguePage() override;

    ChoiceBox *typeBox() const { return m_types; }
    ChoiceBox *regionBox() const { return m_regions; }
    QTableWidget *productList() const { return m_products; }
    QPushButton *buyButton() const { return m_buy; }
    BusyIndicator *busy() const { return m_busy; }
    const OrdersContext &context() const { return m_context; }

    // The selected product row, -1 when none; the identifier its hidden column keeps.
    int selectedRow() const;
    QString selectedProductId() const;
    bool isLoading() const { return m_loads > 0; }

    // The order worker's caption writes (captions with leading blanks leave room for the
    // busy picture).
    void setBuyCaption(const QString &caption);

public slots:
    // After each sign-in (from another thread: QMetaObject::invokeMethod, queued).
    void loadProductTypes();
    // The user chose a type or a region (the lists' `activated`).
    void onTypeChosen();
    void onRegionChosen();
    // Checks the choice and opens the PurchaseWindow.
    void onBuyClicked();

signals:
    // A load has shown its result (or found nothing to show).
    void loadFinished();
    void buyCaptionChanged(const QString &caption);
    void purchaseWindowOpened(PurchaseWindow *window);

private:
    void createChoices();
    void createProductList();
    void createFooter();
    void beginLoad();
    void endLoad();
    void showTypes(const std::optional<std::vector<std::string>> &names);
    void showRegions(const std::optional<std::vector<std::string>> &names);
    void showProducts(const std::vector<ProductRecord> &records);

    OrdersContext m_context;
    ChoiceBox *m_types = nullptr;
    ChoiceBox *m_regions = nullptr;
    QTableWidget *m_products = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_buy = nullptr;
    BusyIndicator *m_busy = nullptr;
    int m_loads = 0;
};

} // namespace cloud
