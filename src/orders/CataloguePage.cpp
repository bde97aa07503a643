#include "orders/CataloguePage.h"

#include "orders/CatalogueRequests.h"
#include "orders/ChoiceBox.h"
#include "orders/MainProgress.h"
#include "orders/OrderFlow.h"
#include "orders/OrdersStyle.h"
#include "orders/PurchaseWindow.h"
#include "ui/BusyIndicator.h"
#include "ui/GuiThread.h"
#include "ui/MessageBox.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

namespace cloud {
namespace {

const QString kComingSoon = QStringLiteral("即将上架");
const QString kChooseProduct = QStringLiteral("请选择购买的产品");
const QString kChooseRegion = QStringLiteral("请选择地区");
const QString kBuyCaption = QStringLiteral("购买");
const QString kNotice =
    QStringLiteral("提示：挂机宝、云电脑均为共享IP，禁止用于公网业务、以及其他违规业务");

struct Column
{
    const char16_t *title;
    int width;
};

// The product list's nine columns; the identifier column has no width.
constexpr Column kColumns[ProductRecord::kColumns] = {
    {u"产品型号", 150}, {u"CPU", 70}, {u"内存", 84}, {u"硬盘", 76}, {u"带宽", 76},
    {u"价格", 100},     {u"ID", 0},   {u"货源", 80}, {u"类型", 80}};

QLabel *caption(const QString &name, const QString &text, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    setOrdersRole(label, "caption");
    return label;
}

QStringList toStrings(const std::vector<std::string> &texts)
{
    QStringList out;
    for (const std::string &text : texts)
        out << QString::fromStdString(text);
    return out;
}

} // namespace

CataloguePage::CataloguePage(OrdersContext context, QWidget *parent)
    : QWidget(parent), m_context(std::move(context))
{
    setObjectName(QStringLiteral("购买产品页"));
    resize(pageWidth, pageHeight);
    setStyleSheet(ordersStyleSheet());
    createChoices();
    createProductList();
    createFooter();
}

CataloguePage::~CataloguePage() = default;

// The main window's logo overlaps the top of its tab box, so the page begins below it.
void CataloguePage::createChoices()
{
    caption(QStringLiteral("标签EX12"), QStringLiteral("产品类型："), QRect(0, 56, 76, 34), this);
    m_types = new ChoiceBox(QStringLiteral("类型选择框"), this);
    m_types->setGeometry(78, 56, 210, 34);
    caption(QStringLiteral("标签EX13"), QStringLiteral("地区线路："), QRect(316, 56, 76, 34), this);
    m_regions = new ChoiceBox(QStringLiteral("地区选择框"), this);
    m_regions->setGeometry(394, 56, 210, 34);
    connect(m_types, &QComboBox::activated, this, &CataloguePage::onTypeChosen);
    connect(m_regions, &QComboBox::activated, this, &CataloguePage::onRegionChosen);
}

void CataloguePage::createProductList()
{
    m_products = new QTableWidget(0, ProductRecord::kColumns, this);
    m_products->setObjectName(QStringLiteral("超级列表框EX3"));
    m_products->setStyleSheet(productListStyleSheet());
    m_products->setGeometry(0, 104, pageWidth, 268);
    QStringList titles;
    for (const Column &column : kColumns)
        titles << QString::fromUtf16(column.title);
    m_products->setHorizontalHeaderLabels(titles);
    for (int i = 0; i < ProductRecord::kColumns; ++i)
        m_products->setColumnWidth(i, kColumns[i].width);
    // The identifier column only carries the product's id for the purchase.
    m_products->setColumnHidden(ProductRecord::kIdColumn, true);
    m_products->horizontalHeader()->setStretchLastSection(true);
    m_products->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_products->horizontalHeader()->setHighlightSections(false);
    m_products->verticalHeader()->hide();
    m_products->verticalHeader()->setDefaultSectionSize(34);
    m_products->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_products->setSelectionMode(QAbstractItemView::SingleSelection);
    m_products->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_products->setShowGrid(false);
    m_products->setFocusPolicy(Qt::NoFocus);
    m_products->setWordWrap(false);
}

void CataloguePage::createFooter()
{
    m_notice = caption(QStringLiteral("标签EX14"), kNotice, QRect(0, 384, 560, 34), this);
    setOrdersRole(m_notice, "notice");
    m_buy = new QPushButton(kBuyCaption, this);
    m_buy->setObjectName(QStringLiteral("购买按钮"));
    // Its bottom edge is the page's: the tab box clips whatever reaches below.
    m_buy->setGeometry(pageWidth - 140, pageHeight - 38, 140, 38);
    m_buy->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度1"), QStringLiteral("时钟2"),
                                       MainProgress::phase(), m_buy);
    connect(m_buy, &QPushButton::clicked, this, &CataloguePage::onBuyClicked);
}

int CataloguePage::selectedRow() const
{
    const QModelIndexList rows = m_products->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString CataloguePage::selectedProductId() const
{
    const int row = selectedRow();
    const QTableWidgetItem *item =
        row < 0 ? nullptr : m_products->item(row, ProductRecord::kIdColumn);
    return item ? item->text() : QString();
}

void CataloguePage::setBuyCaption(const QString &caption)
{
    m_buy->setText(caption);
    emit buyCaptionChanged(caption);
}

void CataloguePage::beginLoad()
{
    ++m_loads;
    m_types->setEnabled(false);
    m_regions->setEnabled(false);
}

void CataloguePage::endLoad()
{
    if (--m_loads == 0) {
        m_types->setEnabled(true);
        m_regions->setEnabled(true);
    }
    emit loadFinished();
}

void CataloguePage::loadProductTypes()
{
    beginLoad();
    runThenCallback<std::optional<std::vector<std::string>>>(
        this, [] { return CatalogueRequests::productTypes(); },
        [this](const std::optional<std::vector<std::string>> &names) {
            showTypes(names);
            endLoad();
        });
}

void CataloguePage::onTypeChosen()
{
    if (isLoading())
        return;
    beginLoad();
    const std::string typeName = m_types->text().toStdString();
    runThenCallback<std::optional<std::vector<std::string>>>(
        this, [typeName] { return CatalogueRequests::regions(typeName); },
        [this](const std::optional<std::vector<std::string>> &names) {
            showRegions(names);
            endLoad();
        });
}

void CataloguePage::onRegionChosen()
{
    if (isLoading())
        return;
    beginLoad();
    const std::string regionName = m_regions->text().toStdString();
    const std::string typeName = m_types->text().toStdString();
    runThenCallback<std::vector<ProductRecord>>(
        this, [regionName, typeName] { return CatalogueRequests::products(regionName, typeName); },
        [this](const std::vector<ProductRecord> &records) {
            showProducts(records);
            endLoad();
        });
}

// No reply leaves the list as it is; a reply without types empties it but keeps its text.
void CataloguePage::showTypes(const std::optional<std::vector<std::string>> &names)
{
    if (!names)
        return;
    m_types->setItems(toStrings(*names));
    if (!names->empty())
        m_types->setText(QString::fromStdString(names->front()));
}

// No reply keeps the items; either way without regions the box says "即将上架".
void CataloguePage::showRegions(const std::optional<std::vector<std::string>> &names)
{
    if (names)
        m_regions->setItems(toStrings(*names));
    if (!names || names->empty()) {
        m_regions->setText(kComingSoon);
        return;
    }
    m_regions->setText(QString::fromStdString(names->front()));
}

void CataloguePage::showProducts(const std::vector<ProductRecord> &records)
{
    m_products->clearSelection();
    m_products->setRowCount(0);
    for (const ProductRecord &record : records) {
        const int row = m_products->rowCount();
        m_products->insertRow(row);
        const auto texts = record.columnTexts();
        for (int column = 0; column < ProductRecord::kColumns; ++column) {
            auto *item = new QTableWidgetItem(QString::fromStdString(texts[column]));
            item->setForeground(QColor(0xFF, 0xFF, 0xFF));
            m_products->setItem(row, column, item);
        }
    }
}

void CataloguePage::onBuyClicked()
{
    // The list may be about to change, and an order under way has the button to itself.
    if (isLoading() || OrderFlow::isRunning())
        return;
    if (selectedRow() < 0) {
        MessageBox::information(window(), kChooseProduct);
        return;
    }
    if (m_regions->text().isEmpty()) {
        MessageBox::information(window(), kChooseRegion);
        return;
    }
    auto *purchase = new PurchaseWindow(selectedProductId(), m_context, this);
    connect(purchase, &PurchaseWindow::orderRequested, this,
            [this](const OrderRequest &request) { OrderFlow::start(this, request); });
    purchase->open();
    emit purchaseWindowOpened(purchase);
}

} // namespace cloud
