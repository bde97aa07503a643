#pragma once

#include <QFrame>

class QCheckBox;
class QPushButton;

namespace cloud {

class BusyIndicator;
class HintLineEdit;
class HoverLabel;
class PictureBox;
class ProgressPhase;

// The sign-in page `分组框登录`: account, password, captcha, the two remember boxes
// and the sign-in button with its busy indicator.
class SignInPage : public QFrame
{
    Q_OBJECT
public:
    SignInPage(ProgressPhase &phase, QWidget *parent);

    HintLineEdit *accountEdit() const { return m_account; }
    HintLineEdit *passwordEdit() const { return m_password; }
    HintLineEdit *captchaEdit() const { return m_captcha; }
    PictureBox *captchaPicture() const { return m_captchaPicture; }
    QCheckBox *rememberPasswordBox() const { return m_remember; }
    QCheckBox *autoSignInBox() const { return m_autoSignIn; }
    QPushButton *signInButton() const { return m_button; }
    BusyIndicator *busy() const { return m_busy; }
    HoverLabel *forgotPasswordLink() const { return m_forgot; }

signals:
    void signInRequested();
    void captchaRequested();
    void recoveryFormRequested();

private:
    void createEdits();
    void createOptions();
    void createButton(ProgressPhase &phase);

    HintLineEdit *m_account = nullptr;
    HintLineEdit *m_password = nullptr;
    HintLineEdit *m_captcha = nullptr;
    PictureBox *m_captchaPicture = nullptr;
    QCheckBox *m_remember = nullptr;
    QCheckBox *m_autoSignIn = nullptr;
    HoverLabel *m_forgot = nullptr;
    QPushButton *m_button = nullptr;
    BusyIndicator *m_busy = nullptr;
};

} // namespace cloud
