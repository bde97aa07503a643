#include "ui/HintLineEdit.h"

#include "ui/SkinArt.h"

#include <QKeyEvent>
#include <QStyle>

namespace cloud {

HintLineEdit::HintLineEdit(const QString &name, const QString &hint, Masking masking,
                           QWidget *parent)
    : QLineEdit(parent), m_hint(hint), m_masking(masking)
{
    setObjectName(name);
    showHint();
    // A plain setText() by a caller must not leave a real value greyed as a hint.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &now) {
        if (m_hinting && now != m_hint)
            setHinting(false);
    });
}

QColor HintLineEdit::textColour() const
{
    return m_hinting ? SkinColours::hintText : SkinColours::typedText;
}

void HintLineEdit::setValue(const QString &value)
{
    showTyped(value);
}

bool HintLineEdit::event(QEvent *event)
{
    if (event->type() == QEvent::KeyPress && m_tabTarget) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier)) {
            m_tabTarget->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QLineEdit::event(event);
}

void HintLineEdit::focusInEvent(QFocusEvent *event)
{
    if (text() == m_hint)
        showTyped(QString());
    QLineEdit::focusInEvent(event);
}

void HintLineEdit::focusOutEvent(QFocusEvent *event)
{
    if (text().isEmpty())
        showHint();
    QLineEdit::focusOutEvent(event);
}

void HintLineEdit::keyReleaseEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    QLineEdit::keyReleaseEvent(event);
    if (enter && !event->isAutoRepeat())
        emit enterReleased();
}

void HintLineEdit::showHint()
{
    setEchoMode(QLineEdit::Normal);
    setText(m_hint);
    setHinting(true);
}

void HintLineEdit::showTyped(const QString &text)
{
    if (m_masking == Masking::MaskTyped)
        setEchoMode(QLineEdit::Password);
    setText(text);
    setHinting(false);
}

void HintLineEdit::setHinting(bool hinting)
{
    if (m_hinting == hinting)
        return;
    m_hinting = hinting;
    // The style sheet greys boxes by this property; re-polish so the change shows.
    style()->unpolish(this);
    style()->polish(this);
    update();
}

} // namespace cloud
