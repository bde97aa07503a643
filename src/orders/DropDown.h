#pragma once

#include <QComboBox>

namespace cloud {

// The skin's drop-down list: the style sheet draws the box, this draws the chevron.
class DropDown : public QComboBox
{
    Q_OBJECT
public:
    DropDown(const QString &name, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace cloud
