#pragma once

#include <QFrame>

class QPushButton;

namespace cloud {

class BusyIndicator;
class HintLineEdit;
class ProgressPhase;

// The password recovery form `分组框找回密码`: account and mobile number, and the
// button with its busy indicator.
class RecoveryPage : public QFrame
{
    Q_OBJECT
public:
    RecoveryPage(ProgressPhase &phase, QWidget *parent);

    HintLineEdit *accountEdit() const { return m_account; }
    HintLineEdit *mobileEdit() const { return m_mobile; }
    QPushButton *recoverButton() const { return m_button; }
    BusyIndicator *busy() const { return m_busy; }

signals:
    void recoveryRequested();

private:
    HintLineEdit *m_account = nullptr;
    HintLineEdit *m_mobile = nullptr;
    QPushButton *m_button = nullptr;
    BusyIndicator *m_busy = nullptr;
};

} // namespace cloud
