#include "ui/RegisterPage.h"

#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/PageLayout.h"

#include <QPushButton>

namespace cloud {

using namespace PageLayout;

RegisterPage::RegisterPage(ProgressPhase &phase, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("分组框注册"));
    createEdits();
    createButtons(phase);
    resize(pageWidth, m_button->geometry().bottom() + 1);
}

void RegisterPage::createEdits()
{
    using Masking = HintLineEdit::Masking;
    m_mobile = new HintLineEdit(QStringLiteral("编辑框注册账号"), QStringLiteral("手机号码"),
                                Masking::Never, this);
    m_mobile->setGeometry(0, 0, pageWidth, editHeight);
    m_smsCode = new HintLineEdit(QStringLiteral("编辑框手机验证码"), QStringLiteral("短信验证码"),
                                 Masking::Never, this);
    m_smsCode->setGeometry(0, rowStep, pageWidth - sideButtonWidth - gap, editHeight);
    m_password = new HintLineEdit(QStringLiteral("编辑框注册密码"), QStringLiteral("密码"),
                                  Masking::MaskTyped, this);
    m_password->setGeometry(0, 2 * rowStep, pageWidth, editHeight);
    m_confirm = new HintLineEdit(QStringLiteral("编辑框注册密码1"), QStringLiteral("确认密码"),
                                 Masking::MaskTyped, this);
    m_confirm->setGeometry(0, 3 * rowStep, pageWidth, editHeight);

    m_mobile->setTabTarget(m_password);
    m_smsCode->setTabTarget(m_password);
    m_password->setTabTarget(m_confirm);
    connect(m_password, &HintLineEdit::enterReleased, this, &RegisterPage::requestRegistration);
    connect(m_confirm, &HintLineEdit::enterReleased, this, &RegisterPage::requestRegistration);
}

void RegisterPage::createButtons(ProgressPhase &phase)
{
    m_sendSms = new QPushButton(QStringLiteral("发送验证码"), this);
    m_sendSms->setObjectName(QStringLiteral("按钮发送验证码"));
    m_sendSms->setGeometry(pageWidth - sideButtonWidth, rowStep, sideButtonWidth, editHeight);
    m_sendSms->setCursor(Qt::PointingHandCursor);
    connect(m_sendSms, &QPushButton::clicked, this, &RegisterPage::smsCodeRequested);

    m_button = new QPushButton(QStringLiteral("注册账号"), this);
    m_button->setObjectName(QStringLiteral("按钮注册"));
    m_button->setGeometry(0, 4 * rowStep + 8, pageWidth, buttonHeight);
    m_button->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框注册进度"), QStringLiteral("时钟3"),
                                       phase, m_button);
    connect(m_button, &QPushButton::clicked, this, &RegisterPage::registerRequested);
}

void RegisterPage::requestRegistration()
{
    // A registration already under way keeps the page to itself.
    if (m_button->isEnabled())
        emit registerRequested();
}

} // namespace cloud
