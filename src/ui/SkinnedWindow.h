#pragma once

#include <QWidget>

namespace cloud {

class HoverLabel;

// Base of the client's borderless windows: painted skin, movable by its body, a
// close label and optionally a minimise label near the top-right corner, and the
// small window-frame control (`窗口EX1`, `个人信息1`, ...) that holds the focus while
// no input control has it.
class SkinnedWindow : public QWidget
{
    Q_OBJECT
public:
    SkinnedWindow(const QString &windowName, const QString &frameName, const QSize &size,
                  bool withMinimise, QWidget *parent = nullptr);

    HoverLabel *closeLabel() const { return m_closeLabel; }
    HoverLabel *minimiseLabel() const { return m_minimiseLabel; } // null when the window has none
    QWidget *windowFrame() const { return m_frame; }

    // Shows the window as a dialog that blocks the others and is destroyed when closed,
    // centred over the window of `owner` when there is one.
    void showModalOver(QWidget *owner);

signals:
    // The close label was clicked; the owner decides what closing means
    // (end the program, destroy a dialog).
    void closeRequested();

protected:
    // Runs on a click of the close label; the default only emits closeRequested().
    virtual void onCloseLabel();
    // Where a Tab pressed while the window frame has the focus goes; null keeps Qt's order.
    virtual QWidget *frameTabTarget() const { return nullptr; }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createCaptionLabels(bool withMinimise);

    QWidget *m_frame = nullptr;
    HoverLabel *m_closeLabel = nullptr;
    HoverLabel *m_minimiseLabel = nullptr;
};

} // namespace cloud
