#pragma once

#include <QFrame>

class QPushButton;

namespace cloud {

class BusyIndicator;
class HintLineEdit;
class ProgressPhase;

// The registration page `分组框注册`: mobile number, SMS code with its send button,
// password twice and the registration button with its busy indicator.
class RegisterPage : public QFrame
{
    Q_OBJECT
public:
    RegisterPage(ProgressPhase &phase, QWidget *parent);

    HintLineEdit *mobileEdit() const { return m_mobile; }
    HintLineEdit *smsCodeEdit() const { return m_smsCode; }
    HintLineEdit *passwordEdit() const { return m_password; }
    HintLineEdit *confirmEdit() const { return m_confirm; }
    QPushButton *sendSmsButton() const { return m_sendSms; }
    QPushButton *registerButton() const { return m_button; }
    BusyIndicator *busy() const { return m_busy; }

signals:
    void registerRequested();
    void smsCodeRequested();

private:
    void createEdits();
    void createButtons(ProgressPhase &phase);
    void requestRegistration();

    HintLineEdit *m_mobile = nullptr;
    HintLineEdit *m_smsCode = nullptr;
    HintLineEdit *m_password = nullptr;
    HintLineEdit *m_confirm = nullptr;
    QPushButton *m_sendSms = nullptr;
    QPushButton *m_button = nullptr;
    BusyIndicator *m_busy = nullptr;
};

} // namespace cloud
