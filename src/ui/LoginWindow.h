#pragma once

#include "ui/ProgressPhase.h"
#include "ui/RecoveryPage.h"
#include "ui/RegisterPage.h"
#include "ui/SignInPage.h"
#include "ui/SkinnedWindow.h"

#include <array>

class QLabel;
class QListWidget;
class QPropertyAnimation;
class QSequentialAnimationGroup;
class QStackedWidget;

namespace cloud {

class AnimatedLogo;
class PictureBox;

// The first window: sign-in, registration and password recovery pages in the tab
// box `选择夹EX1`, the navigation list, the logo and the version notice. It holds no
// flow of its own; the flows drive its controls and listen to its requests.
class LoginWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    // Pages of the tab box, and the values of navPage().
    enum Page { SignInPageIndex = 0, RegisterPageIndex = 1, RecoveryPageIndex = 2 };
    // Where the page group boxes come to rest inside the tab box, and where they start.
    static constexpr int restX = 68;
    static constexpr int recoveryRestX = 61;
    static constexpr int slideStartX = 600;

    explicit LoginWindow(QWidget *parent = nullptr);

    // Start-up decorations.
    void slideInSignIn();
    void showVersionNotice();
    void startLogoAnimation();
    void stopAnimations();
    bool animationsRunning() const;

    void setLogoImage(const QByteArray &bytes);
    void setCaptchaImage(const QByteArray &bytes);

    // The navigation list's entries: 0 "登录", 1 "注册", 2 "找回密码"; as a click.
    void navigate(int entry);
    // Brings up the recovery form page (the sign-in page's "忘记密码?").
    void showRecoveryForm();
    int navPage() const { return m_navPage; }
    int currentPage() const;

    ProgressPhase &progressPhase() { return m_phase; }
    SignInPage *signInPage() const { return m_signIn; }
    RegisterPage *registerPage() const { return m_register; }
    RecoveryPage *recoveryPage() const { return m_recovery; }
    QStackedWidget *tabBox() const { return m_tabBox; }
    QListWidget *navList() const { return m_navList; }
    AnimatedLogo *logo() const { return m_logo; }
    PictureBox *logoImage() const { return m_logoImage; }

    HintLineEdit *accountEdit() const { return m_signIn->accountEdit(); }
    HintLineEdit *passwordEdit() const { return m_signIn->passwordEdit(); }
    HintLineEdit *captchaEdit() const { return m_signIn->captchaEdit(); }
    PictureBox *captchaPicture() const { return m_signIn->captchaPicture(); }
    QCheckBox *rememberPasswordBox() const { return m_signIn->rememberPasswordBox(); }
    QCheckBox *autoSignInBox() const { return m_signIn->autoSignInBox(); }
    QPushButton *signInButton() const { return m_signIn->signInButton(); }
    BusyIndicator *signInBusy() const { return m_signIn->busy(); }

    HintLineEdit *registerMobileEdit() const { return m_register->mobileEdit(); }
    HintLineEdit *smsCodeEdit() const { return m_register->smsCodeEdit(); }
    HintLineEdit *registerPasswordEdit() const { return m_register->passwordEdit(); }
    HintLineEdit *registerConfirmEdit() const { return m_register->confirmEdit(); }
    QPushButton *sendSmsButton() const { return m_register->sendSmsButton(); }
    QPushButton *registerButton() const { return m_register->registerButton(); }
    BusyIndicator *registerBusy() const { return m_register->busy(); }

    HintLineEdit *recoveryAccountEdit() const { return m_recovery->accountEdit(); }
    HintLineEdit *recoveryMobileEdit() const { return m_recovery->mobileEdit(); }
    QPushButton *recoveryButton() const { return m_recovery->recoverButton(); }
    BusyIndicator *recoveryBusy() const { return m_recovery->busy(); }

signals:
    void signInRequested();
    void registerRequested();
    void smsCodeRequested();
    // The recovery form's button: send the recovery request.
    void passwordRecoveryRequested();
    // The navigation entry "找回密码": open the recovery web page.
    void recoveryPageRequested();
    // A new captcha image is wanted (picture clicked, or back to the sign-in page).
    void captchaRequested();

protected:
    void onCloseLabel() override;
    void paintEvent(QPaintEvent *event) override;
    QWidget *frameTabTarget() const override;

private:
    void createPages();
    void createDecorations();
    void createNavigation();
    std::array<QWidget *, 2> versionNotice() const;
    void setVersionNoticeAlpha(int alpha);
    QPropertyAnimation *createSlide(QWidget *box);
    void slide(QPropertyAnimation *animation, int restingX);
    void showPage(int page);

    ProgressPhase m_phase;
    int m_navPage = SignInPageIndex;
    AnimatedLogo *m_logo = nullptr;
    PictureBox *m_logoImage = nullptr;
    PictureBox *m_versionTick = nullptr;
    QLabel *m_versionLabel = nullptr;
    QListWidget *m_navList = nullptr;
    QStackedWidget *m_tabBox = nullptr;
    SignInPage *m_signIn = nullptr;
    RegisterPage *m_register = nullptr;
    RecoveryPage *m_recovery = nullptr;
    QPropertyAnimation *m_signInSlide = nullptr;
    QPropertyAnimation *m_registerSlide = nullptr;
    QPropertyAnimation *m_recoverySlide = nullptr;
    QSequentialAnimationGroup *m_versionFade = nullptr;
};

} // namespace cloud
