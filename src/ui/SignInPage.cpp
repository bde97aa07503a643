#include "ui/SignInPage.h"

#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/PageLayout.h"
#include "ui/PictureBox.h"

#include <QCheckBox>
#include <QPushButton>

namespace cloud {

using namespace PageLayout;

SignInPage::SignInPage(ProgressPhase &phase, QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("分组框登录"));
    createEdits();
    createOptions();
    createButton(phase);
    resize(pageWidth, m_button->geometry().bottom() + 1);
}

void SignInPage::createEdits()
{
    using Masking = HintLineEdit::Masking;
    m_account = new HintLineEdit(QStringLiteral("编辑框打码账号"), QStringLiteral("用户名/账号"),
                                 Masking::Never, this);
    m_account->setGeometry(0, 0, pageWidth, editHeight);
    m_password = new HintLineEdit(QStringLiteral("编辑框打码密码"), QStringLiteral("密码"),
                                  Masking::MaskTyped, this);
    m_password->setGeometry(0, rowStep, pageWidth, editHeight);
    m_captcha = new HintLineEdit(QStringLiteral("编辑框图片验证码1"), QStringLiteral("图片验证码"),
                                 Masking::Never, this);
    m_captcha->setGeometry(0, 2 * rowStep, pageWidth - 105 - gap, editHeight);
    m_captchaPicture = new PictureBox(QStringLiteral("登录验证码"), this);
    m_captchaPicture->setGeometry(pageWidth - 105, 2 * rowStep, 105, 41);
    m_captchaPicture->setClickable(true);
    m_captchaPicture->setPanel(true);
    m_captchaPicture->setPlaceholderText(QStringLiteral("点击刷新"));
    m_captchaPicture->setToolTip(QStringLiteral("看不清？点击换一张"));

    // Tab goes back and forth between account and password.
    m_account->setTabTarget(m_password);
    m_password->setTabTarget(m_account);
    connect(m_password, &HintLineEdit::enterReleased, this, [this] {
        // A sign-in already under way keeps the page to itself.
        if (m_button->isEnabled())
            emit signInRequested();
    });
    connect(m_captchaPicture, &PictureBox::clicked, this, &SignInPage::captchaRequested);
}

void SignInPage::createOptions()
{
    const int y = 3 * rowStep;
    m_remember = new QCheckBox(QStringLiteral("记住密码"), this);
    m_remember->setObjectName(QStringLiteral("选择框登录记住密码"));
    m_remember->setGeometry(0, y, 100, 28);
    m_autoSignIn = new QCheckBox(QStringLiteral("自动登录"), this);
    m_autoSignIn->setObjectName(QStringLiteral("选择框登录自动登录"));
    m_autoSignIn->setGeometry(108, y, 100, 28);
    m_forgot = new HoverLabel(QStringLiteral("标签忘记密码"), QStringLiteral("忘记密码?"), this);
    m_forgot->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_forgot->setGeometry(pageWidth - 100, y, 100, 28);
    connect(m_forgot, &HoverLabel::clicked, this, &SignInPage::recoveryFormRequested);
}

void SignInPage::createButton(ProgressPhase &phase)
{
    m_button = new QPushButton(QStringLiteral("登录"), this);
    m_button->setObjectName(QStringLiteral("按钮打码登录"));
    m_button->setGeometry(0, 3 * rowStep + 42, pageWidth, buttonHeight);
    m_button->setCursor(Qt::PointingHandCursor);
    m_busy = BusyIndicator::overButton(QStringLiteral("图片框登录进度"), QStringLiteral("时钟1"),
                                       phase, m_button);
    connect(m_button, &QPushButton::clicked, this, &SignInPage::signInRequested);
}

} // namespace cloud
