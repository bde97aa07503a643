#include "ui/CardPage.h"

#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/MainArt.h"
#include "ui/PictureBox.h"

#include <QFrame>
#include <QPushButton>

namespace cloud {
namespace {

constexpr int boxWidth = 360;
constexpr int iconSide = 42;

PictureBox *icon(const QString &name, MainArt::NavIcon art, int y, QWidget *parent)
{
    auto *picture = new PictureBox(name, parent);
    picture->setGeometry(0, y, iconSide, iconSide);
    picture->setPanel(true);
    picture->setImage(MainArt::fieldIcon(art, iconSide, 22));
    return picture;
}

} // namespace

CardPage::CardPage(ProgressPhase &phase, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("卡密激活页"));
    auto *group = new QFrame(this);
    group->setObjectName(QStringLiteral("分组框卡密激活"));
    group->setGeometry((722 - boxWidth) / 2, 120, boxWidth, 170);

    using Masking = HintLineEdit::Masking;
    icon(QStringLiteral("图片框EX5"), MainArt::NavIcon::Card, 0, group);
    m_number = new HintLineEdit(QStringLiteral("编辑框卡号"), QStringLiteral("卡号"),
                                Masking::Never, group);
    m_number->setGeometry(iconSide + 10, 0, boxWidth - iconSide - 10, iconSide);
    icon(QStringLiteral("图片框EX7"), MainArt::NavIcon::Lock, 56, group);
    m_password = new HintLineEdit(QStringLiteral("编辑框卡密"), QStringLiteral("卡密"),
                                  Masking::Never, group);
    m_password->setGeometry(iconSide + 10, 56, boxWidth - iconSide - 10, iconSide);
    m_number->setTabTarget(m_password);
    m_password->setTabTarget(m_number);

    m_button = new QPushButton(QStringLiteral("使用"), group);
    m_button->setObjectName(QStringLiteral("按钮打码登录2"));
    m_button->setGeometry(0, 122, boxWidth, 44);
    m_button->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度"), QStringLiteral("时钟1"),
                                       phase, m_button);
}

} // namespace cloud
