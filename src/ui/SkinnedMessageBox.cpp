#include "ui/SkinnedMessageBox.h"

#include "ui/HoverLabel.h"
#include "ui/SkinArt.h"
#include "ui/WindowDragger.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace cloud {
namespace {
constexpr int boxWidth = 360;
constexpr int margin = 20;
} // namespace

SkinnedMessageBox::SkinnedMessageBox(const QString &title, const QString &text, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SkinnedMessageBox"));
    setWindowTitle(title);
    m_title = new QLabel(title, this);
    m_title->setObjectName(QStringLiteral("标签标题"));
    m_title->setGeometry(margin, 14, boxWidth - 2 * margin - 24, 24);

    m_text = new QLabel(text, this);
    m_text->setObjectName(QStringLiteral("标签内容"));
    m_text->setWordWrap(true);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const int textHeight = std::max(48, m_text->heightForWidth(boxWidth - 2 * margin));
    m_text->setGeometry(margin, 52, boxWidth - 2 * margin, textHeight);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_ok->setObjectName(QStringLiteral("按钮确定"));
    m_ok->setGeometry((boxWidth - 110) / 2, 52 + textHeight + 18, 110, 36);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *close = new HoverLabel(QStringLiteral("标签关闭"), QStringLiteral("×"), this);
    close->setGeometry(boxWidth - 30, 10, 14, 22);
    connect(close, &HoverLabel::clicked, this, &QDialog::reject);

    setFixedSize(boxWidth, m_ok->geometry().bottom() + 20);
    new WindowDragger(this);
}

void SkinnedMessageBox::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_timeoutMs >= 0)
        QTimer::singleShot(m_timeoutMs, this, &QDialog::reject);
}

void SkinnedMessageBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    SkinArt::paintWindowBackground(painter, rect());
}

} // namespace cloud
