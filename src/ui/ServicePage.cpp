#include "ui/ServicePage.h"

#include "ui/PageControls.h"
#include "ui/PictureBox.h"

#include <QGroupBox>

namespace cloud {

using namespace PageControls;

namespace {

PictureBox *contact(const QString &name, int x, QWidget *parent)
{
    auto *picture = new PictureBox(name, parent);
    picture->setGeometry(x, 99, 189, 190);
    picture->setPanel(true);
    picture->setPlaceholderText(QStringLiteral("暂无图片"));
    return picture;
}

QLabel *caption(const QString &name, const QString &text, int x, QWidget *parent)
{
    QLabel *created = label(name, text, QRect(x, 296, 189, 28), parent);
    created->setAlignment(Qt::AlignCenter);
    return created;
}

} // namespace

ServicePage::ServicePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("客服中心页"));
    m_vx = contact(QStringLiteral("图片框EX3"), 103, this);
    caption(QStringLiteral("标签EX4"), QStringLiteral("企业微信客服"), 103, this);
    m_vx2 = contact(QStringLiteral("图片框EX4"), 388, this);
    caption(QStringLiteral("标签EX10"), QStringLiteral("微信公众号"), 388, this);

    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("分组框EX2"));
    group->setGeometry(19, 367, 676, 49);
    m_help = label(QStringLiteral("标签EX11"), QString(), QRect(12, 0, 652, 49), group);
    m_help->setAlignment(Qt::AlignCenter);
    m_help->setWordWrap(true);
}

void ServicePage::setContactImages(const QByteArray &vx, const QByteArray &vx2)
{
    m_vx->setImageBytes(vx);
    m_vx2->setImageBytes(vx2);
}

void ServicePage::setHelpText(const QString &text)
{
    m_help->setText(text);
}

} // namespace cloud
