#pragma once

#include <QColor>
#include <QLabel>

namespace cloud {

// A text label that lights up under the mouse and reports clicks: the close and
// minimise labels of the skinned windows.
class HoverLabel : public QLabel
{
    Q_OBJECT
public:
    HoverLabel(const QString &name, const QString &text, QWidget *parent);

    QColor textColour() const { return m_colour; }

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void applyColour(const QColor &colour);

    QColor m_colour;
};

} // namespace cloud
