#include "ui/SkinStyle.h"

#include <QApplication>
#include <QFile>
#include <QStyleFactory>

// The resources live in a static library, whose registration code the linker
// drops unless something refers to it; Q_INIT_RESOURCE must be used outside a namespace.
static void registerSkinResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace cloud {

QString skinStyleSheet()
{
    registerSkinResources();
    QFile file(QStringLiteral(":/style/skin.qss"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QPalette skinPalette()
{
    const QColor window(0x1B, 0x21, 0x2E);
    const QColor base(0x22, 0x29, 0x37);
    const QColor text(0xFF, 0xFF, 0xFF);
    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::PlaceholderText, QColor(0xB3, 0xB3, 0xB3));
    palette.setColor(QPalette::Button, QColor(0x26, 0x30, 0x45));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::Highlight, QColor(0x3D, 0x8B, 0xFD));
    palette.setColor(QPalette::HighlightedText, text);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::Link, QColor(0x8F, 0xC1, 0xFF));
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(0x7D, 0x85, 0x96));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x7D, 0x85, 0x96));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x7D, 0x85, 0x96));
    return palette;
}

void applySkin(QApplication &app)
{
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);
    app.setPalette(skinPalette());
    app.setStyleSheet(skinStyleSheet());
}

} // namespace cloud
