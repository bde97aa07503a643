#pragma once

#include "orders/DropDown.h"

namespace cloud {

// A drop-down list whose shown text is its own: the code may show a text that is no item
// ("即将上架") and may empty the items while the text stays. The user cannot type; a
// click anywhere on the box opens the list. `activated` reports the user's choices only.
class ChoiceBox : public DropDown
{
    Q_OBJECT
public:
    ChoiceBox(const QString &name, QWidget *parent);

    QString text() const { return currentText(); }
    void setText(const QString &text);
    // Removes every item; the shown text stays.
    void removeAllItems();
    // Replaces the items; the shown text stays until setText.
    void setItems(const QStringList &items);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace cloud
