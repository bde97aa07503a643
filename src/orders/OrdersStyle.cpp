#include "orders/OrdersStyle.h"

#include <QWidget>

namespace cloud {

void setOrdersRole(QWidget *widget, const char *role)
{
    widget->setProperty("ordersRole", QString::fromLatin1(role));
}

QString ordersStyleSheet()
{
    return QStringLiteral(R"(
QLabel[ordersRole="caption"] { color: #C9CFDA; font-size: 13px; background: transparent; }
QLabel[ordersRole="notice"] { color: #8A93A6; font-size: 12px; background: transparent; }
QLabel[ordersRole="title"] { color: #FFFFFF; font-size: 18px; font-weight: bold; }
QLabel[ordersRole="host"] { color: #8A93A6; font-size: 13px; }
QLabel[ordersRole="value"] { color: #FFFFFF; font-size: 14px; }
QLabel[ordersRole="fee"] { color: #8FC1FF; font-size: 18px; font-weight: bold; }
QLabel[ordersRole="balance"] { color: #C9CFDA; font-size: 13px; }
QLabel[ordersRole="link"] { color: #3D8BFD; font-size: 13px; }
QLabel[ordersRole="link"]:hover { color: #8FC1FF; text-decoration: underline; }

cloud--DropDown {
    background-color: #222937;
    border: 1px solid #343D50;
    border-radius: 8px;
    padding: 0 10px;
    color: #FFFFFF;
    font-size: 13px;
    combobox-popup: 0;
}
cloud--DropDown:hover { border-color: #3D8BFD; }
cloud--DropDown:disabled { color: #7D8596; border-color: #2A3142; }
cloud--DropDown QLineEdit {
    background: transparent;
    border: none;
    padding: 0;
    color: #FFFFFF;
    font-size: 13px;
}
cloud--DropDown QLineEdit:disabled { color: #7D8596; }
cloud--DropDown::drop-down { border: none; width: 24px; }
cloud--DropDown::down-arrow { image: none; width: 0; height: 0; border: none; }
cloud--DropDown QAbstractItemView {
    background-color: #222937;
    border: 1px solid #3A4357;
    color: #FFFFFF;
    selection-background-color: #3D8BFD;
    selection-color: #FFFFFF;
    outline: none;
    padding: 4px;
}

cloud--PeriodDialog > QGroupBox {
    border: 1px solid #343D50;
    border-radius: 10px;
    margin-top: 10px;
    padding-top: 6px;
    color: #8A93A6;
    font-size: 12px;
}
cloud--PeriodDialog > QGroupBox::title { subcontrol-origin: margin; left: 14px; padding: 0 6px; }
cloud--PeriodDialog > QGroupBox > QRadioButton { color: #E6E6E6; font-size: 14px; spacing: 8px; }
cloud--PeriodDialog > QGroupBox > QRadioButton:hover { color: #FFFFFF; }
cloud--PeriodDialog > QGroupBox > QRadioButton:disabled { color: #5C6477; }
cloud--PeriodDialog > QGroupBox > QRadioButton::indicator {
    width: 14px; height: 14px;
    border: 1px solid #4A5570;
    border-radius: 8px;
    background-color: #222937;
}
cloud--PeriodDialog > QGroupBox > QRadioButton::indicator:hover { border-color: #3D8BFD; }
cloud--PeriodDialog > QGroupBox > QRadioButton::indicator:checked {
    border: 4px solid #3D8BFD;
    background-color: #FFFFFF;
    width: 8px; height: 8px;
}
cloud--PeriodDialog > QGroupBox > QRadioButton::indicator:disabled {
    border-color: #343D50; background-color: #1C212C;
}
)");
}

QString productListStyleSheet()
{
    return QStringLiteral(R"(
QTableWidget {
    background-color: rgba(20, 25, 35, 0.55);
    border: 1px solid #2C3446;
    border-radius: 10px;
    color: #FFFFFF;
    font-size: 13px;
    selection-background-color: rgba(61, 139, 253, 0.35);
    selection-color: #FFFFFF;
    outline: none;
}
QTableWidget::item { padding-left: 10px; border-bottom: 1px solid #232A38; }
QTableWidget::item:selected { background-color: rgba(61, 139, 253, 0.32); }
QHeaderView { background: transparent; }
QHeaderView::section {
    background-color: #1E2533;
    color: #8FC1FF;
    font-size: 13px;
    font-weight: bold;
    padding-left: 10px;
    height: 34px;
    border: none;
    border-bottom: 1px solid #3A4357;
}
QHeaderView::section:first { border-top-left-radius: 10px; }
QTableCornerButton::section { background: transparent; border: none; }
QScrollBar:vertical {
    background: transparent; width: 8px; margin: 36px 2px 4px 0;
}
QScrollBar::handle:vertical {
    background: #3A4357; border-radius: 3px; min-height: 24px;
}
QScrollBar::add-line:vertical,
QScrollBar::sub-line:vertical { height: 0; }
)");
}

} // namespace cloud
