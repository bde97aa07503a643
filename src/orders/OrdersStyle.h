#pragma once

#include <QString>

namespace cloud {

// The look of the catalogue page and of the purchase and renewal dialogs, on top of the
// application's skin: drop-down lists, the product list, the period group and the
// labels of the order dialogs.
QString ordersStyleSheet();

} // namespace cloud
