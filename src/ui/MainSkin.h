#pragma once

#include <QString>

namespace cloud {

// Style sheets of the main window and its dialogs, on top of the application's skin: the
// report lists, drop-downs, group panels and the labels of the work pages.
QString mainWindowStyleSheet();
QString profileWindowStyleSheet();

} // namespace cloud
