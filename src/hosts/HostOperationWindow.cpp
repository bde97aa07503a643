#include "hosts/HostOperationWindow.h"

#include "ui/HoverLabel.h"

#include <QLabel>

namespace cloud {

namespace {

// The window's own looks on top of the skin: a bold title, quieter captions and the
// drop-downs drawn like the edit boxes.
const char *const kWindowStyle = R"(
QLabel#标签EX2 { color: #FFFFFF; font-size: 16px; font-weight: bold; }
QLabel#标签EX1, QLabel#标签EX3, QLabel#费用 { color: #E6E6E6; font-size: 14px; }
QLabel#费用1 { color: #9AA3B5; font-size: 13px; }
QComboBox {
    background-color: #222937;
    border: 1px solid #343D50;
    border-radius: 8px;
    padding: 0 12px;
    color: #FFFFFF;
    font-size: 14px;
}
QComboBox:hover { border-color: #46516A; }
QComboBox:focus, QComboBox:on { border-color: #3D8BFD; }
QComboBox QAbstractItemView {
    background-color: #1C2231;
    border: 1px solid #343D50;
    color: #E6E6E6;
    selection-background-color: #3D8BFD;
    selection-color: #FFFFFF;
    outline: none;
}
)";

} // namespace

HostOperationWindow::HostOperationWindow(const QString &windowName, const QString &frameName,
                                         const QSize &size, const QString &title,
                                         std::string hostId, QWidget *parent)
    : SkinnedWindow(windowName, frameName, size, false, parent), m_hostId(std::move(hostId))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setWindowTitle(title);
    setStyleSheet(QString::fromUtf8(kWindowStyle));
    m_title = addLabel(QStringLiteral("标签EX2"), title, QRect(36, 10, 240, 32));
    closeLabel()->raise();
}

QLabel *HostOperationWindow::addLabel(const QString &name, const QString &text,
                                      const QRect &geometry)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

void HostOperationWindow::open(const QWidget *reference)
{
    if (reference) {
        const QRect area = reference->window()->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    activateWindow();
}

void HostOperationWindow::onCloseLabel()
{
    close();
}

} // namespace cloud
