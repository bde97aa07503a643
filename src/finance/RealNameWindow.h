#pragma once

#include "finance/FinanceContext.h"
#include "ui/SkinnedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace cloud {

// "实名认证": the account and its mobile number, the legal name and the identity card
// number to verify, and the notice why the service asks. `实名认证按钮` submits; on
// success the profile is reloaded (which opens the real-name gate) and the window closes.
class RealNameWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    explicit RealNameWindow(FinanceContext context, QWidget *parent = nullptr);

    // Opens the window modally over `parent` and returns at once; the window deletes
    // itself when it closes and emits closed() first. The ProfileWindow's link calls this.
    static RealNameWindow *open(QWidget *parent, FinanceContext context);

    // The click of `实名认证按钮`. False when refused because a submission is under way.
    bool submitRealName();
    bool isBusy() const { return m_busy; }

    QLabel *accountValue() const { return m_account; }
    QLabel *mobileValue() const { return m_mobile; }
    QLineEdit *nameEdit() const { return m_name; }
    QLineEdit *idNumberEdit() const { return m_idNumber; }
    QPushButton *submitButton() const { return m_button; }

signals:
    // The service accepted the data and the profile has been reloaded.
    void verified();
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    QWidget *frameTabTarget() const override;

private:
    void createNotice();
    void createRows();
    void finishSubmission(bool accepted);

    FinanceContext m_context;
    QLabel *m_account = nullptr;
    QLabel *m_mobile = nullptr;
    QLineEdit *m_name = nullptr;
    QLineEdit *m_idNumber = nullptr;
    QPushButton *m_button = nullptr;
    bool m_busy = false;
};

} // namespace cloud
