#include "finance/ProfileWindow.h"

#include "app/AppSession.h"
#include "finance/ProfileRequests.h"
#include "finance/UserProfile.h"
#include "ui/GuiThread.h"
#include "ui/HoverLabel.h"
#include "ui/MainArt.h"
#include "ui/MainSkin.h"
#include "ui/PageControls.h"
#include "ui/PictureBox.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>

namespace cloud {

using PageControls::label;

namespace {

ProfileWindow::DialogFactory &rechargeFactory()
{
    static ProfileWindow::DialogFactory factory;
    return factory;
}

ProfileWindow::DialogFactory &realNameFactory()
{
    static ProfileWindow::DialogFactory factory;
    return factory;
}

QString fromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

constexpr int fieldTop = 182;
constexpr int fieldStep = 33;

} // namespace

void ProfileWindow::setRechargeFactory(DialogFactory factory)
{
    rechargeFactory() = std::move(factory);
}

void ProfileWindow::setRealNameFactory(DialogFactory factory)
{
    realNameFactory() = std::move(factory);
}

ProfileWindow::ProfileWindow(QWidget *parent)
    : SkinnedWindow(QStringLiteral("ProfileWindow"), QStringLiteral("个人信息1"), QSize(385, 365),
                    false, parent)
{
    setWindowTitle(QStringLiteral("个人信息"));
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);
    setStyleSheet(profileWindowStyleSheet());
    label(QStringLiteral("标签EX1"), QStringLiteral("个人信息"), QRect(36, 14, 160, 28), this);
    createSummary();
    createFields();
    closeLabel()->raise();
    connect(this, &SkinnedWindow::closeRequested, this, &QWidget::close);
    connect(m_recharge, &HoverLabel::clicked, this, [this] {
        openLinked(rechargeFactory(), QStringLiteral("RechargeWindow"), QSize(348, 237));
    });
    connect(m_realName, &HoverLabel::clicked, this, [this] {
        openLinked(realNameFactory(), QStringLiteral("RealNameWindow"), QSize(552, 415));
    });
}

void ProfileWindow::createSummary()
{
    auto *group = new QFrame(this);
    group->setObjectName(QStringLiteral("分组框EX1"));
    group->setGeometry(18, 54, 349, 108);
    m_avatar = new PictureBox(QStringLiteral("图片框EX1"), group);
    m_avatar->setGeometry(16, 18, 72, 72);
    m_avatar->setImage(MainArt::avatar(72, devicePixelRatioF()));
    m_greeting = label(QStringLiteral("标签EX2"), QString(), QRect(102, 12, 236, 54), group);
    m_greeting->setWordWrap(true);
    m_greeting->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_balance = label(QStringLiteral("余额"), QString(), QRect(102, 70, 170, 26), group);
    m_recharge = new HoverLabel(QStringLiteral("充值"), QStringLiteral("充值"), group);
    m_recharge->setGeometry(280, 70, 52, 26);
}

void ProfileWindow::createFields()
{
    const std::pair<const char *, const char *> rows[] = {{"会员ID", "会员ID  :"},
                                                          {"真实姓名", "真实姓名:"},
                                                          {"手机号码", "手机号码:"},
                                                          {"QQ号码", "Q    Q  :"},
                                                          {"邮箱", "邮  箱  :"}};
    int y = fieldTop;
    int index = 0;
    for (const auto &[name, caption] : rows) {
        const QString control = QString::fromUtf8(name);
        label(control + QStringLiteral("2"), QString::fromUtf8(caption), QRect(40, y, 86, 26), this)
            ->setProperty("role", QStringLiteral("caption"));
        m_fields[index++] = label(control, QString(), QRect(130, y, 150, 26), this);
        y += fieldStep;
    }
    m_realName = new HoverLabel(QStringLiteral("实名认证"), QStringLiteral("实名认证"), this);
    m_realName->setGeometry(284, fieldTop + fieldStep, 70, 26);
    m_realName->hide();
}

ProfileWindow *ProfileWindow::open(QWidget *parent)
{
    auto *window = new ProfileWindow(parent);
    QPointer<QObject> guard(window);
    Workers::start([guard] {
        // The reloaded real-name text is not kept: the window shows the one of the last
        // refresh or verification.
        loadUserProfile();
        postToGui(guard, [guard] {
            auto *opened = static_cast<ProfileWindow *>(guard.data());
            opened->fill();
            opened->show();
            opened->raise();
            opened->activateWindow();
        });
    });
    return window;
}

void ProfileWindow::fill()
{
    const UserProfile &profile = UserProfile::instance();
    const QString realName = fromStd(profile.realNameText());
    if (!profile.isUnverified()) {
        m_realName->hide();
        m_greeting->setText(QStringLiteral("尊敬的") + realName + QStringLiteral(",欢迎您使用") +
                            fromStd(AppSession::instance().titleText()) + QStringLiteral("产品！"));
    } else {
        m_realName->show();
        m_greeting->setText(
            QStringLiteral("您还未实名认证，根据相关法律法规，使用前请先实名认证！"));
    }
    m_balance->setText(QStringLiteral("当前余额:") + fromStd(profile.balanceText()));
    const std::string values[] = {profile.userName(), profile.realNameText(), profile.mobile(),
                                  profile.qq(), profile.email()};
    for (int i = 0; i < 5; ++i)
        m_fields[i]->setText(fromStd(values[i]));
}

// The link's dialog takes this window's place; this window closes when the dialog does.
void ProfileWindow::openLinked(const DialogFactory &factory, const QString &fallbackName,
                               const QSize &fallbackSize)
{
    QWidget *owner = parentWidget();
    QWidget *dialog = factory ? factory(owner) : nullptr;
    if (!dialog) {
        auto *placeholder = new SkinnedWindow(fallbackName, QStringLiteral("个人信息1"),
                                              fallbackSize, false, owner);
        connect(placeholder, &SkinnedWindow::closeRequested, placeholder, &QWidget::close);
        dialog = placeholder;
    }
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::ApplicationModal);
    connect(dialog, &QObject::destroyed, this, &QWidget::close);
    hide();
    dialog->show();
    emit linkedDialogOpened(dialog);
}

void ProfileWindow::paintEvent(QPaintEvent *event)
{
    SkinnedWindow::paintEvent(event);
    // A thin rule under the title.
    QPainter painter(this);
    painter.setPen(QColor(255, 255, 255, 20));
    painter.drawLine(18, 46, width() - 18, 46);
}

} // namespace cloud
