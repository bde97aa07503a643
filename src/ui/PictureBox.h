#pragma once

#include <QImage>
#include <QWidget>

class QPainter;

namespace cloud {

// A picture control fed with image file bytes (PNG, JPEG, ...) as they arrive from
// the service. Bytes that do not decode leave the box blank, showing its
// placeholder text if it has one. A click reports clicked().
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    PictureBox(const QString &name, QWidget *parent);

    // Returns whether the bytes decoded to a picture.
    bool setImageBytes(const QByteArray &bytes);
    void setImage(const QImage &image);
    QImage image() const { return m_image; }
    void setPlaceholderText(const QString &text);
    void setClickable(bool clickable);
    // Draws the picture on a rounded panel like the edit boxes'.
    void setPanel(bool panel);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void paintPanel(QPainter &painter);
    void paintContent(QPainter &painter);

    QImage m_image;
    QString m_placeholder;
    bool m_clickable = false;
    bool m_panel = false;
    bool m_hovered = false;
};

} // namespace cloud
