#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace cloud::MainArt {

// Pictures of the main window that the program draws itself.
enum class NavIcon { Hosts, Finance, Buy, Service, Card, Lock };

QPixmap navIcon(NavIcon icon, int size, qreal devicePixelRatio);
// An icon of `iconSize` centred on a transparent square of `side`, for a picture box beside
// an edit box.
QImage fieldIcon(NavIcon icon, int side, int iconSize);
// The user picture of the top bar and the profile window: a person on an accent disc.
QImage avatar(int side, qreal devicePixelRatio);
// The program's icon (the finished cloud mark), for the notification area.
QIcon programIcon();

} // namespace cloud::MainArt
