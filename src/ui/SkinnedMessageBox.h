#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace cloud {

// The skinned message box: the skin's borderless dialog with an explicit title
// ("提示", "错误", "公告", ...), the text and an OK button. With a timeout it
// closes itself, reporting QDialog::Rejected.
class SkinnedMessageBox : public QDialog
{
    Q_OBJECT
public:
    SkinnedMessageBox(const QString &title, const QString &text, QWidget *parent);

    // Counted from the moment the box is shown.
    void setTimeout(int ms) { m_timeoutMs = ms; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *textLabel() const { return m_text; }
    QPushButton *okButton() const { return m_ok; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_title;
    QLabel *m_text;
    QPushButton *m_ok;
    int m_timeoutMs = -1;
};

} // namespace cloud
