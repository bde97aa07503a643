#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

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

// The same from UTF-8 texts, for the tables of captions the windows are built from.
inline QLabel *label(const char *name, const char *text, const QRect &geometry, QWidget *parent)
{
    return label(QString::fromUtf8(name), QString::fromUtf8(text), geometry, parent);
}

inline QLineEdit *lineEdit(const char *name, const char *placeholder, const QRect &geometry,
                           QWidget *parent)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setPlaceholderText(QString::fromUtf8(placeholder));
    box->setGeometry(geometry);
    return box;
}

inline QComboBox *dropDown(const QString &name, const QRect &geometry, QWidget *parent)
{
    auto *created = new QComboBox(parent);
    created->setObjectName(name);
    created->setGeometry(geometry);
    return created;
}

} // namespace cloud::PageControls
