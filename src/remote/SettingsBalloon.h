#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace cloud {

// The short tip the settings window confirms every choice with, shown next to the
// mouse pointer. It remembers what it showed, so that a test can read it back.
class SettingsBalloon : public QObject
{
    Q_OBJECT
public:
    explicit SettingsBalloon(QObject *parent = nullptr);

    void show(const QString &text);

    const QStringList &shown() const { return m_shown; }
    QString last() const { return m_shown.isEmpty() ? QString() : m_shown.last(); }

private:
    QStringList m_shown;
};

} // namespace cloud
