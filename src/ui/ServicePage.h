#pragma once

#include <QWidget>

class QLabel;

namespace cloud {

class PictureBox;

// Page 3 of the main window, the customer service: the two contact pictures with their
// captions and the service's help line.
class ServicePage : public QWidget
{
    Q_OBJECT
public:
    explicit ServicePage(QWidget *parent);

    void setContactImages(const QByteArray &vx, const QByteArray &vx2);
    void setHelpText(const QString &text);

    PictureBox *contactPicture() const { return m_vx; }
    PictureBox *secondContactPicture() const { return m_vx2; }
    QLabel *helpLabel() const { return m_help; }

private:
    PictureBox *m_vx = nullptr;
    PictureBox *m_vx2 = nullptr;
    QLabel *m_help = nullptr;
};

} // namespace cloud
