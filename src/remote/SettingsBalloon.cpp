#include "remote/SettingsBalloon.h"

#include <QCursor>
#include <QToolTip>

namespace cloud {

SettingsBalloon::SettingsBalloon(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("气球提示框1"));
}

void SettingsBalloon::show(const QString &text)
{
    m_shown.append(text);
    // Hiding first makes a repeated text show again at the new position.
    QToolTip::hideText();
    QToolTip::showText(QCursor::pos(), text, nullptr, {}, 2500);
}

} // namespace cloud
