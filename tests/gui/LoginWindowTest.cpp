#include "GuiTestEnvironment.h"

#include "ui/AnimatedLogo.h"
#include "ui/BusyIndicator.h"
#include "ui/HintLineEdit.h"
#include "ui/HoverLabel.h"
#include "ui/LoginWindow.h"
#include "ui/PictureBox.h"
#include "ui/SkinArt.h"

#include <QBuffer>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>

namespace cloud::test {
namespace {

class LoginWindowTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        window = std::make_unique<LoginWindow>();
        window->show();
    }

    void clickEntry(int row)
    {
        QListWidget *list = window->navList();
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    static void click(QWidget *widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    bool settlesAt(QWidget *box, int x)
    {
        return QTest::qWaitFor([&] { return box->x() == x && !window->animationsRunning(); }, 3000);
    }

    std::unique_ptr<LoginWindow> window;
};

struct BoxCase
{
    const char *name;
    const char *hint;
    HintLineEdit::Masking masking;
};

TEST_F(LoginWindowTest, EditBoxesCarryTheirNamesHintsAndMasking)
{
    using M = HintLineEdit::Masking;
    const BoxCase boxes[] = {
        {"编辑框打码账号", "用户名/账号", M::Never},   {"编辑框打码密码", "密码", M::MaskTyped},
        {"编辑框图片验证码1", "图片验证码", M::Never}, {"编辑框注册账号", "手机号码", M::Never},
        {"编辑框手机验证码", "短信验证码", M::Never},  {"编辑框注册密码", "密码", M::MaskTyped},
        {"编辑框注册密码1", "确认密码", M::MaskTyped}, {"编辑框打码账号3", "用户名/账号", M::Never},
        {"编辑框打码密码3", "手机号码", M::Never},
    };
    for (const BoxCase &box : boxes) {
        auto *edit = window->findChild<HintLineEdit *>(QString::fromUtf8(box.name));
        ASSERT_NE(edit, nullptr) << box.name;
        EXPECT_EQ(edit->text(), QString::fromUtf8(box.hint)) << box.name;
        EXPECT_EQ(edit->masking(), box.masking) << box.name;
        EXPECT_EQ(edit->echoMode(), QLineEdit::Normal) << box.name;
    }
}

TEST_F(LoginWindowTest, ControlsCarryTheirNamesAndCaptions)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("LoginWindow"));
    EXPECT_EQ(window->size(), QSize(700, 500));
    const std::pair<const char *, const char *> buttons[] = {{"按钮打码登录", "登录"},
                                                             {"按钮注册", "注册账号"},
                                                             {"按钮发送验证码", "发送验证码"},
                                                             {"按钮打码登录3", "找回密码"}};
    for (const auto &[name, caption] : buttons) {
        auto *button = window->findChild<QPushButton *>(QString::fromUtf8(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->text(), QString::fromUtf8(caption)) << name;
    }
    EXPECT_EQ(window->findChild<QCheckBox *>(QStringLiteral("选择框登录记住密码"))->text(),
              QStringLiteral("记住密码"));
    EXPECT_EQ(window->findChild<QCheckBox *>(QStringLiteral("选择框登录自动登录"))->text(),
              QStringLiteral("自动登录"));
    for (const char *name :
         {"窗口EX1", "图片框LOGO", "图片框EX1", "图片框版本勾", "标签版本", "列表框EX1",
          "选择夹EX1", "分组框登录", "分组框注册", "分组框找回密码", "登录验证码", "图片框登录进度",
          "图片框注册进度", "图片框登录进度3", "标签关闭", "标签最小化"})
        EXPECT_NE(window->findChild<QWidget *>(QString::fromUtf8(name)), nullptr) << name;
    for (const char *name : {"时钟1", "时钟2", "时钟3", "时钟4"})
        EXPECT_NE(window->findChild<QTimer *>(QString::fromUtf8(name)), nullptr) << name;
    EXPECT_EQ(window->captchaPicture()->size(), QSize(105, 41));
    EXPECT_EQ(window->findChild<QLabel *>(QStringLiteral("标签版本"))->text(),
              QStringLiteral("恭喜，当前已是最新版本！"));
}

TEST_F(LoginWindowTest, NavigationListHasThreeEntriesWithSignInSelected)
{
    QListWidget *list = window->navList();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("登录"));
    EXPECT_EQ(list->item(1)->text(), QStringLiteral("注册"));
    EXPECT_EQ(list->item(2)->text(), QStringLiteral("找回密码"));
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_EQ(window->currentPage(), LoginWindow::SignInPageIndex);
    EXPECT_EQ(window->navPage(), 0);
}

TEST_F(LoginWindowTest, RegisterClickedTwiceSlidesOnce)
{
    QWidget *box = window->registerPage();
    clickEntry(1);
    EXPECT_EQ(window->currentPage(), LoginWindow::RegisterPageIndex);
    EXPECT_EQ(window->navPage(), 1);
    EXPECT_GT(box->x(), LoginWindow::restX) << "the panel starts outside and slides in";
    ASSERT_TRUE(settlesAt(box, LoginWindow::restX));
    clickEntry(1);
    EXPECT_EQ(box->x(), LoginWindow::restX) << "a second click only re-selects the page";
    EXPECT_FALSE(window->animationsRunning());
    EXPECT_EQ(window->currentPage(), LoginWindow::RegisterPageIndex);
}

TEST_F(LoginWindowTest, RecoveryEntryKeepsThePageAndSignInReturnsWithANewCaptcha)
{
    QSignalSpy web(window.get(), &LoginWindow::recoveryPageRequested);
    QSignalSpy captcha(window.get(), &LoginWindow::captchaRequested);
    clickEntry(2);
    EXPECT_EQ(web.count(), 1);
    EXPECT_EQ(window->currentPage(), LoginWindow::SignInPageIndex);
    EXPECT_EQ(window->navPage(), 2);
    EXPECT_EQ(captcha.count(), 0);

    clickEntry(0);
    EXPECT_EQ(captcha.count(), 1);
    EXPECT_EQ(window->navPage(), 0);
    EXPECT_GT(window->signInPage()->x(), LoginWindow::restX);
    EXPECT_TRUE(settlesAt(window->signInPage(), LoginWindow::restX));
}

TEST_F(LoginWindowTest, SignInEntryOnTheSignInPageDoesNothing)
{
    QSignalSpy captcha(window.get(), &LoginWindow::captchaRequested);
    clickEntry(0);
    EXPECT_EQ(captcha.count(), 0);
    EXPECT_EQ(window->signInPage()->x(), LoginWindow::restX);
    EXPECT_FALSE(window->animationsRunning());
}

TEST_F(LoginWindowTest, ForgotPasswordLinkOpensTheRecoveryForm)
{
    QSignalSpy web(window.get(), &LoginWindow::recoveryPageRequested);
    QSignalSpy captcha(window.get(), &LoginWindow::captchaRequested);
    click(window->signInPage()->forgotPasswordLink());
    EXPECT_EQ(window->currentPage(), LoginWindow::RecoveryPageIndex);
    EXPECT_EQ(web.count(), 0) << "the form page, not the web page";
    EXPECT_TRUE(settlesAt(window->recoveryPage(), LoginWindow::recoveryRestX));
    clickEntry(0);
    EXPECT_EQ(window->currentPage(), LoginWindow::SignInPageIndex);
    EXPECT_EQ(captcha.count(), 1);
}

TEST_F(LoginWindowTest, CloseLabelStopsTheAnimationsAndAsksToClose)
{
    QSignalSpy close(window.get(), &LoginWindow::closeRequested);
    window->startLogoAnimation();
    window->slideInSignIn();
    window->showVersionNotice();
    ASSERT_TRUE(window->animationsRunning());
    click(window->closeLabel());
    EXPECT_EQ(close.count(), 1);
    EXPECT_FALSE(window->animationsRunning());
    EXPECT_FALSE(window->logo()->timer()->isActive());
}

TEST_F(LoginWindowTest, CloseLabelWorksWhileASignInRuns)
{
    QSignalSpy close(window.get(), &LoginWindow::closeRequested);
    window->signInButton()->setEnabled(false);
    window->signInBusy()->startBusy();
    click(window->closeLabel());
    EXPECT_EQ(close.count(), 1);
}

TEST_F(LoginWindowTest, CaptionLabelsLightUpUnderTheMouse)
{
    for (HoverLabel *label : {window->closeLabel(), window->minimiseLabel()}) {
        EXPECT_EQ(label->textColour(), SkinColours::labelRest);
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(label, &enter);
        EXPECT_EQ(label->textColour(), SkinColours::labelHover);
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(label, &leave);
        EXPECT_EQ(label->textColour().rgba(), qRgba(0xE6, 0xE6, 0xE6, 0xBB));
    }
    EXPECT_EQ(window->closeLabel()->size(), QSize(14, 22));
    EXPECT_EQ(window->minimiseLabel()->size(), QSize(13, 13));
    EXPECT_EQ(window->minimiseLabel()->text(), QStringLiteral("一"));
}

TEST_F(LoginWindowTest, MinimiseLabelMinimises)
{
    click(window->minimiseLabel());
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isMinimized(); }, 2000));
}

TEST_F(LoginWindowTest, EnterInThePasswordBoxAndTheButtonAskForSignIn)
{
    QSignalSpy signIn(window.get(), &LoginWindow::signInRequested);
    QTest::keyRelease(window->passwordEdit(), Qt::Key_Return);
    EXPECT_EQ(signIn.count(), 1);
    click(window->signInButton());
    EXPECT_EQ(signIn.count(), 2);
    QTest::keyRelease(window->accountEdit(), Qt::Key_Return);
    EXPECT_EQ(signIn.count(), 2) << "only the password box reacts to Enter";
}

TEST_F(LoginWindowTest, EnterIsIgnoredWhileASignInRuns)
{
    QSignalSpy signIn(window.get(), &LoginWindow::signInRequested);
    window->signInButton()->setEnabled(false);
    QTest::keyRelease(window->passwordEdit(), Qt::Key_Return);
    EXPECT_EQ(signIn.count(), 0);
}

TEST_F(LoginWindowTest, RegistrationRequestsFromButtonsAndBothPasswordBoxes)
{
    QSignalSpy registration(window.get(), &LoginWindow::registerRequested);
    QSignalSpy sms(window.get(), &LoginWindow::smsCodeRequested);
    QSignalSpy recovery(window.get(), &LoginWindow::passwordRecoveryRequested);
    window->navigate(LoginWindow::RegisterPageIndex);
    QTest::keyRelease(window->registerPasswordEdit(), Qt::Key_Return);
    QTest::keyRelease(window->registerConfirmEdit(), Qt::Key_Enter);
    click(window->registerButton());
    click(window->sendSmsButton());
    EXPECT_EQ(registration.count(), 3);
    EXPECT_EQ(sms.count(), 1);
    window->registerButton()->setEnabled(false);
    QTest::keyRelease(window->registerConfirmEdit(), Qt::Key_Return);
    EXPECT_EQ(registration.count(), 3);

    window->showRecoveryForm();
    click(window->recoveryButton());
    EXPECT_EQ(recovery.count(), 1);
}

TEST_F(LoginWindowTest, CaptchaPictureClickAsksForANewCaptcha)
{
    QSignalSpy captcha(window.get(), &LoginWindow::captchaRequested);
    click(window->captchaPicture());
    click(window->captchaPicture());
    EXPECT_EQ(captcha.count(), 2);
}

TEST_F(LoginWindowTest, ImagesFromBytesAndBlankOnGarbage)
{
    QImage image(105, 41, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    window->setCaptchaImage(png);
    EXPECT_EQ(window->captchaPicture()->image().size(), QSize(105, 41));
    window->setCaptchaImage(QByteArray("not an image"));
    EXPECT_TRUE(window->captchaPicture()->image().isNull());
    window->setCaptchaImage(png.left(png.size() / 2));
    window->setLogoImage(QByteArray());
    EXPECT_TRUE(window->logoImage()->image().isNull());
}

TEST_F(LoginWindowTest, LogoPlaysOnceAndStopsAtFrameFifty)
{
    AnimatedLogo *logo = window->logo();
    window->startLogoAnimation();
    EXPECT_EQ(logo->frameIndex(), 0);
    EXPECT_EQ(logo->timer()->interval(), 40);
    EXPECT_TRUE(logo->timer()->isActive());
    for (int i = 0; i < 49; ++i)
        logo->tick();
    EXPECT_TRUE(logo->timer()->isActive());
    logo->tick();
    EXPECT_EQ(logo->frameIndex(), 50);
    EXPECT_FALSE(logo->timer()->isActive());
    logo->tick();
    EXPECT_EQ(logo->frameIndex(), 50);
}

TEST_F(LoginWindowTest, IndicatorsOfThePagesShareTheWindowsPhase)
{
    window->registerBusy()->startBusy();
    EXPECT_EQ(window->progressPhase().value(), ProgressPhase::Busy);
    window->recoveryBusy()->showFailure();
    EXPECT_EQ(window->progressPhase().value(), ProgressPhase::Failure);
    EXPECT_EQ(window->signInBusy()->parentWidget(), window->signInButton());
}

class LoginWindowFocusTest : public LoginWindowTest
{
protected:
    void SetUp() override
    {
        LoginWindowTest::SetUp();
        ASSERT_TRUE(showActive(*window));
    }

    static void tabFrom(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(widget, Qt::Key_Tab);
    }
};

TEST_F(LoginWindowFocusTest, WindowFrameHoldsTheFocusSoHintsStayVisible)
{
    EXPECT_EQ(QApplication::focusWidget(), window->windowFrame());
    EXPECT_TRUE(window->accountEdit()->isShowingHint());
    tabFrom(window->windowFrame());
    EXPECT_EQ(QApplication::focusWidget(), window->accountEdit());
    EXPECT_EQ(window->accountEdit()->text(), QString());
}

TEST_F(LoginWindowFocusTest, TabSwapsBetweenAccountAndPassword)
{
    tabFrom(window->accountEdit());
    EXPECT_EQ(QApplication::focusWidget(), window->passwordEdit());
    EXPECT_EQ(window->passwordEdit()->echoMode(), QLineEdit::Password)
        << "tabbing into the untouched password box masks what is typed";
    EXPECT_EQ(window->accountEdit()->text(), QStringLiteral("用户名/账号"));
    QTest::keyClick(window->passwordEdit(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->accountEdit());
    EXPECT_EQ(window->passwordEdit()->text(), QStringLiteral("密码"));
    EXPECT_EQ(window->passwordEdit()->echoMode(), QLineEdit::Normal);
    EXPECT_TRUE(window->passwordEdit()->isShowingHint());
}

TEST_F(LoginWindowFocusTest, TabOrderOfTheRegistrationPage)
{
    window->navigate(LoginWindow::RegisterPageIndex);
    const std::pair<HintLineEdit *, HintLineEdit *> moves[] = {
        {window->registerMobileEdit(), window->registerPasswordEdit()},
        {window->smsCodeEdit(), window->registerPasswordEdit()},
        {window->registerPasswordEdit(), window->registerConfirmEdit()}};
    for (const auto &[from, to] : moves) {
        tabFrom(from);
        EXPECT_EQ(QApplication::focusWidget(), to) << from->objectName().toStdString();
    }
}

TEST_F(LoginWindowFocusTest, ChangingPageLeavesTheEditBoxes)
{
    window->passwordEdit()->setFocus(Qt::OtherFocusReason);
    window->navigate(LoginWindow::RegisterPageIndex);
    EXPECT_EQ(QApplication::focusWidget(), window->windowFrame());
    EXPECT_TRUE(window->passwordEdit()->isShowingHint());
}

} // namespace
} // namespace cloud::test
