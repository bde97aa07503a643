#pragma once

#include "finance/FinanceContext.h"
#include "ui/SkinnedWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace cloud {

// "充值中心", the online top-up: the account to credit (`编辑框EX2`, proposed from the
// profile) and the amount (`编辑框EX1`); `充值按钮` asks the service for a payment order
// and opens the payment page it answers with in the default browser, then closes.
class RechargeWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    explicit RechargeWindow(FinanceContext context, QWidget *parent = nullptr);

    // Opens the window modally over `parent` and returns at once; the window deletes
    // itself when it closes and emits closed() first. The "充值" links call this.
    static RechargeWindow *open(QWidget *parent, FinanceContext context);

    // The click of `充值按钮`. False when nothing was sent: a box is empty (an error
    // box says which), or a request is already under way.
    bool onRechargeClicked();
    bool isBusy() const { return m_busy; }

    QLineEdit *accountEdit() const { return m_account; }
    QLineEdit *amountEdit() const { return m_amount; }
    QPushButton *rechargeButton() const { return m_button; }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    QWidget *frameTabTarget() const override;

private:
    void createControls();
    void finishRecharge(const QUrl &paymentPage);
    void openInBrowser(const QUrl &page);

    FinanceContext m_context;
    QLabel *m_title = nullptr;
    QLineEdit *m_account = nullptr;
    QLineEdit *m_amount = nullptr;
    QPushButton *m_button = nullptr;
    bool m_busy = false;
};

} // namespace cloud
