#include "orders/ChoiceBox.h"

#include <QEvent>
#include <QLineEdit>

namespace cloud {

ChoiceBox::ChoiceBox(const QString &name, QWidget *parent) : DropDown(name, parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->setReadOnly(true);
    lineEdit()->setFocusPolicy(Qt::NoFocus);
    lineEdit()->setCursor(Qt::PointingHandCursor);
    lineEdit()->installEventFilter(this);
}

void ChoiceBox::setText(const QString &text)
{
    setEditText(text);
    lineEdit()->setCursorPosition(0);
}

void ChoiceBox::removeAllItems()
{
    const QString shown = text();
    clear();
    setText(shown);
}

void ChoiceBox::setItems(const QStringList &items)
{
    const QString shown = text();
    clear();
    addItems(items);
    setText(shown);
}

bool ChoiceBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) {
        if (isEnabled())
            showPopup();
        return true;
    }
    return DropDown::eventFilter(watched, event);
}

} // namespace cloud
