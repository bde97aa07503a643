#pragma once

#include <QLabel>

namespace cloud {

// A label used as a link ("充值"): the accent colour, lighter under the mouse, and a
// click report.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    LinkLabel(const QString &name, const QString &text, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace cloud
