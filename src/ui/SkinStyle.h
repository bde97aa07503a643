#pragma once

#include <QPalette>
#include <QString>

class QApplication;

namespace cloud {

// The one style sheet of the skin, embedded as a resource.
QString skinStyleSheet();
// The dark palette under the style sheet, so that controls the sheet does not
// name (menus, combo boxes, tables, scroll bars) match the skin too.
QPalette skinPalette();
// Fusion style, the palette and the style sheet, for the whole application.
void applySkin(QApplication &app);

} // namespace cloud
