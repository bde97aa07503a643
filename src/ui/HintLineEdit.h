#pragma once

#include <QLineEdit>
#include <QPointer>

namespace cloud {

// An edit box whose hint is its own text: while the box is empty and unfocused it
// holds the hint in grey, so a reader of text() gets the hint as the value. Entering
// the box empties a hint (a box whose user typed exactly the hint behaves the same)
// and leaving it empty brings the hint back.
class HintLineEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(bool hinting READ isShowingHint)
public:
    // MaskTyped boxes (passwords) mask what is typed and show their hint in clear.
    enum class Masking { Never, MaskTyped };

    HintLineEdit(const QString &name, const QString &hint, Masking masking, QWidget *parent);

    QString hint() const { return m_hint; }
    Masking masking() const { return m_masking; }
    bool isShowingHint() const { return m_hinting; }
    QColor textColour() const;

    // Puts a value into the box as if typed (a restored account or password): white,
    // masked in a MaskTyped box. An empty value leaves the box empty until the user
    // enters and leaves it.
    void setValue(const QString &value);
    // Where Tab moves the focus; null keeps the window's usual order.
    void setTabTarget(QWidget *target) { m_tabTarget = target; }

signals:
    // Enter (either key) was released in the box.
    void enterReleased();

protected:
    bool event(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void showHint();
    void showTyped(const QString &text);
    void setHinting(bool hinting);

    QString m_hint;
    Masking m_masking;
    bool m_hinting = false;
    QPointer<QWidget> m_tabTarget;
};

} // namespace cloud
