#include "ui/LoginWindow.h"

#include "ui/AnimatedLogo.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/PictureBox.h"
#include "ui/SkinArt.h"

#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <QStackedWidget>
#include <QVariantAnimation>

namespace cloud {
namespace {

constexpr int slideMs = 450;
constexpr int fadeInMs = 1200;
constexpr int fadeOutMs = 1800;

QWidget *pageHolder(QStackedWidget *tabBox)
{
    auto *holder = new QWidget(tabBox);
    holder->setAttribute(Qt::WA_TranslucentBackground);
    tabBox->addWidget(holder);
    return holder;
}

QImage versionTickImage(int side, qreal ratio)
{
    QImage image(QSize(side, side) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    SkinArt::paintVersionTick(painter, QRectF(0, 0, side, side));
    return image;
}

QVariantAnimation *fade(int from, int to, int ms, QEasingCurve curve, QObject *parent)
{
    auto *animation = new QVariantAnimation(parent);
    animation->setStartValue(from);
    animation->setEndValue(to);
    animation->setDuration(ms);
    animation->setEasingCurve(curve);
    return animation;
}

} // namespace

LoginWindow::LoginWindow(QWidget *parent)
    : SkinnedWindow(QStringLiteral("LoginWindow"), QStringLiteral("窗口EX1"), QSize(700, 500), true,
                    parent)
{
    createPages();
    createDecorations();
    createNavigation();
    closeLabel()->raise();
    minimiseLabel()->raise();
}

void LoginWindow::createPages()
{
    m_tabBox = new QStackedWidget(this);
    m_tabBox->setObjectName(QStringLiteral("选择夹EX1"));
    m_tabBox->setGeometry(158, 63, 520, 413);
    m_signIn = new SignInPage(m_phase, pageHolder(m_tabBox));
    m_signIn->move(restX, 75);
    m_register = new RegisterPage(m_phase, pageHolder(m_tabBox));
    m_register->move(restX, 75);
    m_recovery = new RecoveryPage(m_phase, pageHolder(m_tabBox));
    m_recovery->move(recoveryRestX, 112);
    m_signInSlide = createSlide(m_signIn);
    m_registerSlide = createSlide(m_register);
    m_recoverySlide = createSlide(m_recovery);

    connect(m_signIn, &SignInPage::signInRequested, this, &LoginWindow::signInRequested);
    connect(m_signIn, &SignInPage::captchaRequested, this, &LoginWindow::captchaRequested);
    connect(m_signIn, &SignInPage::recoveryFormRequested, this, &LoginWindow::showRecoveryForm);
    connect(m_register, &RegisterPage::registerRequested, this, &LoginWindow::registerRequested);
    connect(m_register, &RegisterPage::smsCodeRequested, this, &LoginWindow::smsCodeRequested);
    connect(m_recovery, &RecoveryPage::recoveryRequested, this,
            &LoginWindow::passwordRecoveryRequested);
}

void LoginWindow::createDecorations()
{
    m_logo = new AnimatedLogo(QStringLiteral("图片框LOGO"), QStringLiteral("时钟2"), this);
    m_logo->setGeometry(21, 19, 110, 100);
    m_logoImage = new PictureBox(QStringLiteral("图片框EX1"), this);
    m_logoImage->setGeometry(248, 52, 323, 50);

    m_versionTick = new PictureBox(QStringLiteral("图片框版本勾"), this);
    m_versionTick->setGeometry(295, 103, 28, 28);
    m_versionTick->setImage(versionTickImage(28, devicePixelRatioF()));
    m_versionLabel = new QLabel(QStringLiteral("恭喜，当前已是最新版本！"), this);
    m_versionLabel->setObjectName(QStringLiteral("标签版本"));
    m_versionLabel->setGeometry(332, 103, 199, 32);
    m_versionLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    for (QWidget *widget : versionNotice())
        widget->setGraphicsEffect(new QGraphicsOpacityEffect(widget));
    setVersionNoticeAlpha(0);
    m_versionFade = new QSequentialAnimationGroup(this);
    for (auto *phase : {fade(0, 255, fadeInMs, QEasingCurve::OutCubic, m_versionFade),
                        fade(255, 0, fadeOutMs, QEasingCurve::InCubic, m_versionFade)}) {
        m_versionFade->addAnimation(phase);
        connect(phase, &QVariantAnimation::valueChanged, this,
                [this](const QVariant &alpha) { setVersionNoticeAlpha(alpha.toInt()); });
    }
}

std::array<QWidget *, 2> LoginWindow::versionNotice() const
{
    return {m_versionTick, m_versionLabel};
}

// Both controls of the notice follow one value, 0 (transparent) to 255 (opaque).
void LoginWindow::setVersionNoticeAlpha(int alpha)
{
    for (QWidget *widget : versionNotice())
        static_cast<QGraphicsOpacityEffect *>(widget->graphicsEffect())->setOpacity(alpha / 255.0);
}

void LoginWindow::createNavigation()
{
    m_navList = new QListWidget(this);
    m_navList->setObjectName(QStringLiteral("列表框EX1"));
    m_navList->setGeometry(5, 182, 146, 186);
    m_navList->setFocusPolicy(Qt::NoFocus);
    m_navList->setIconSize(QSize(20, 20));
    m_navList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_navList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const qreal ratio = devicePixelRatioF();
    const std::pair<SkinArt::NavIcon, QString> entries[] = {
        {SkinArt::NavIcon::SignIn, QStringLiteral("登录")},
        {SkinArt::NavIcon::Register, QStringLiteral("注册")},
        {SkinArt::NavIcon::Recover, QStringLiteral("找回密码")}};
    for (const auto &[icon, caption] : entries) {
        auto *item = new QListWidgetItem(QIcon(SkinArt::navIcon(icon, 20, ratio)), caption);
        item->setSizeHint(QSize(136, 52));
        m_navList->addItem(item);
    }
    m_navList->setCurrentRow(SignInPageIndex);
    connect(m_navList, &QListWidget::itemClicked, this,
            [this](QListWidgetItem *item) { navigate(m_navList->row(item)); });
}

QPropertyAnimation *LoginWindow::createSlide(QWidget *box)
{
    auto *animation = new QPropertyAnimation(box, "pos", this);
    animation->setDuration(slideMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    return animation;
}

void LoginWindow::slide(QPropertyAnimation *animation, int restingX)
{
    auto *box = static_cast<QWidget *>(animation->targetObject());
    animation->stop();
    box->move(slideStartX, box->y());
    animation->setStartValue(QPoint(slideStartX, box->y()));
    animation->setEndValue(QPoint(restingX, box->y()));
    animation->start();
}

void LoginWindow::slideInSignIn()
{
    slide(m_signInSlide, restX);
}

void LoginWindow::showVersionNotice()
{
    m_versionFade->stop();
    m_versionFade->start();
}

void LoginWindow::startLogoAnimation()
{
    m_logo->start();
}

void LoginWindow::stopAnimations()
{
    for (QPropertyAnimation *animation : {m_signInSlide, m_registerSlide, m_recoverySlide})
        animation->stop();
    m_versionFade->stop();
    m_logo->stop();
}

bool LoginWindow::animationsRunning() const
{
    for (QPropertyAnimation *animation : {m_signInSlide, m_registerSlide, m_recoverySlide})
        if (animation->state() == QAbstractAnimation::Running)
            return true;
    return m_versionFade->state() == QAbstractAnimation::Running;
}

void LoginWindow::setLogoImage(const QByteArray &bytes)
{
    m_logoImage->setImageBytes(bytes);
}

void LoginWindow::setCaptchaImage(const QByteArray &bytes)
{
    m_signIn->captchaPicture()->setImageBytes(bytes);
}

int LoginWindow::currentPage() const
{
    return m_tabBox->currentIndex();
}

void LoginWindow::showPage(int page)
{
    // The focus must not stay in a box of a page that goes out of sight.
    windowFrame()->setFocus(Qt::OtherFocusReason);
    m_tabBox->setCurrentIndex(page);
    m_navList->setCurrentRow(page);
}

void LoginWindow::navigate(int entry)
{
    switch (entry) {
    case SignInPageIndex:
        showPage(SignInPageIndex);
        if (m_navPage == SignInPageIndex)
            return;
        slide(m_signInSlide, restX);
        m_navPage = SignInPageIndex;
        emit captchaRequested();
        return;
    case RegisterPageIndex:
        showPage(RegisterPageIndex);
        if (m_navPage == RegisterPageIndex)
            return;
        slide(m_registerSlide, restX);
        m_navPage = RegisterPageIndex;
        return;
    case RecoveryPageIndex:
        // The entry opens the recovery web page; the tab box keeps its page.
        m_navList->setCurrentRow(RecoveryPageIndex);
        m_navPage = RecoveryPageIndex;
        emit recoveryPageRequested();
        return;
    default:
        return;
    }
}

void LoginWindow::showRecoveryForm()
{
    if (currentPage() != RecoveryPageIndex)
        slide(m_recoverySlide, recoveryRestX);
    showPage(RecoveryPageIndex);
    m_navPage = RecoveryPageIndex;
}

void LoginWindow::paintEvent(QPaintEvent *event)
{
    SkinnedWindow::paintEvent(event);
    // A darker side bar behind the logo and the navigation list.
    QPainter painter(this);
    const QRect bar(1, 1, 155, height() - 2);
    painter.fillRect(bar, QColor(0, 0, 0, 46));
    painter.setPen(QColor(255, 255, 255, 14));
    painter.drawLine(bar.topRight(), bar.bottomRight());
}

QWidget *LoginWindow::frameTabTarget() const
{
    return accountEdit();
}

void LoginWindow::onCloseLabel()
{
    stopAnimations();
    SkinnedWindow::onCloseLabel();
}

} // namespace cloud
