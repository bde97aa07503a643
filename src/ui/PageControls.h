#pragma once

#include <QComboBox>
#include <QLabel>

namespace cloud::PageControls {

// Small builders for the main window's pages, so each page reads as its control list.
inline QLabel *label(const QString &name, const QString &text, const QRect &geometry,
                     QWidget *parent)
{
    auto *created = new QLabel(text, parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

inline QComboBox *dropDown(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *created = new QComboBox(parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

} // namespace cloud::PageControls
