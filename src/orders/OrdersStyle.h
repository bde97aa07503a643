#pragma once

#include <QString>

class QWidget;

namespace cloud {

// The look of the catalogue page and of the purchase and renewal dialogs, on top of the
// application's skin: drop-down lists, the product list, the period group and the
// labels of the order dialogs.
//
// Every rule names the page's or the dialogs' own controls (by class, object name or the
// `ordersRole` property), so the sheet does not restyle a message box or a top-up window
// opened over a dialog.
QString ordersStyleSheet();
// The product list's own sheet (its header is styled before any ancestor's rule could
// name the list).
QString productListStyleSheet();

// Marks a label for the sheet: "caption", "value", "fee", "title", "balance",
// "link", "notice", "host".
void setOrdersRole(QWidget *widget, const char *role);

} // namespace cloud
