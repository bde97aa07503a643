#include "ui/MainSkin.h"

namespace cloud {

QString mainWindowStyleSheet()
{
    return QStringLiteral(R"(
QLabel { color: #C9CFDA; }
QTableWidget {
    background-color: rgba(255, 255, 255, 0.025);
    border: 1px solid #2A3244;
    border-radius: 10px;
    color: #FFFFFF;
    gridline-color: transparent;
    selection-background-color: rgba(61, 139, 253, 0.26);
    selection-color: #FFFFFF;
    outline: none;
}
QTableWidget::item { padding-left: 12px; border-bottom: 1px solid rgba(255, 255, 255, 0.045); }
QTableWidget::item:selected { background-color: rgba(61, 139, 253, 0.26); }
QTableWidget::item:hover { background-color: rgba(255, 255, 255, 0.035); }
QHeaderView { background: transparent; border: none; }
QHeaderView::section {
    background-color: rgba(255, 255, 255, 0.04);
    color: #8E98AD;
    border: none;
    border-bottom: 1px solid #2A3244;
    padding-left: 12px;
    height: 38px;
    font-size: 13px;
}
QHeaderView::section:first { border-top-left-radius: 10px; }
QTableCornerButton::section { background: transparent; border: none; }
QScrollBar:vertical { background: transparent; width: 8px; margin: 4px 2px; }
QScrollBar::handle:vertical { background: #3A4357; border-radius: 3px; min-height: 24px; }
QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }
QComboBox {
    background-color: #222937;
    border: 1px solid #343D50;
    border-radius: 6px;
    color: #FFFFFF;
    padding: 0 4px 0 8px;
}
QComboBox:hover, QComboBox:focus { border-color: #3D8BFD; }
QComboBox::drop-down { border: none; width: 16px; }
QComboBox QAbstractItemView {
    background-color: #1F2634;
    color: #FFFFFF;
    border: 1px solid #343D50;
    selection-background-color: #3D8BFD;
    outline: none;
}
QComboBox QLineEdit { background: transparent; border: none; padding: 0; font-size: 13px; }
QLabel#用户名标签 { font-size: 14px; font-weight: bold; }
QLabel#标签EX1 { color: #6F7A90; font-size: 20px; }
QLabel#标签EX3, QLabel#标签EX14 { color: #8E98AD; }
QLabel#标签EX6 { color: #34C77B; }
QLabel#标签EX7 { color: #F25C6E; }
QLabel#标签EX4, QLabel#标签EX10 { color: #E6E6E6; font-size: 14px; }
QLabel#标签EX11 { color: #C9CFDA; }
QGroupBox#分组框EX2 {
    background-color: rgba(255, 255, 255, 0.03);
    border: 1px solid #2A3244;
    border-radius: 10px;
    margin: 0;
}
QPushButton#购买按钮, QPushButton#按钮打码登录2 { font-size: 15px; }
)");
}

QString profileWindowStyleSheet()
{
    return QStringLiteral(R"(
QLabel { color: #FFFFFF; font-size: 13px; }
QLabel#标签EX1 { color: #E6E6E6; font-size: 15px; font-weight: bold; }
QLabel[role="caption"] { color: #8E98AD; }
QLabel#标签EX2 { color: #E6E6E6; font-size: 13px; }
QLabel#余额 { color: #8FC1FF; }
QFrame#分组框EX1 {
    background-color: rgba(255, 255, 255, 0.035);
    border: 1px solid #2A3244;
    border-radius: 10px;
}
)");
}

} // namespace cloud
