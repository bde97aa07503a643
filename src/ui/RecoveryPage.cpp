#include "ui/RecoveryPage.h"

#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/PageLayout.h"

#include <QPushButton>

namespace cloud {

using namespace PageLayout;

RecoveryPage::RecoveryPage(ProgressPhase &phase, QWidget *parent) : QFrame(parent)
{
    using Masking = HintLineEdit::Masking;
    setObjectName(QStringLiteral("分组框找回密码"));
    m_account = new HintLineEdit(QStringLiteral("编辑框打码账号3"), QStringLiteral("用户名/账号"),
                                 Masking::Never, this);
    m_account->setGeometry(0, 0, pageWidth, editHeight);
    m_mobile = new HintLineEdit(QStringLiteral("编辑框打码密码3"), QStringLiteral("手机号码"),
                                Masking::Never, this);
    m_mobile->setGeometry(0, rowStep, pageWidth, editHeight);

    m_button = new QPushButton(QStringLiteral("找回密码"), this);
    m_button->setObjectName(QStringLiteral("按钮打码登录3"));
    m_button->setGeometry(0, 2 * rowStep + 8, pageWidth, buttonHeight);
    m_button->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度3"), QStringLiteral("时钟4"),
                                       phase, m_button);
    connect(m_button, &QPushButton::clicked, this, &RecoveryPage::recoveryRequested);
    resize(pageWidth, m_button->geometry().bottom() + 1);
}

} // namespace cloud
