#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>

class QFrame;
class QPushButton;

namespace cloud {

class BusyIndicator;
class HintLineEdit;
class PictureBox;
class ProgressPhase;

namespace CardTopUpRequest {
struct Outcome;
}

// The prepaid card tab page of the main window ("卡密激活"): card number and card
// password (`编辑框卡号`, `编辑框卡密`, hints "卡号" and "卡密") in the group box
// `分组框卡密激活`, and `按钮打码登录2` ("使用"), which redeems the card and shows the
// progress and the outcome in its caption, with the busy picture `图片框登录进度`.
class CardTopUpPage : public QWidget
{
    Q_OBJECT
public:
    // `phase` is the main window's busy phase, which the purchase's indicator follows
    // too; it must outlive the page.
    CardTopUpPage(ProgressPhase &phase, QWidget *parent = nullptr);

    // The click of `按钮打码登录2`: sends the two boxes' texts as they stand (a hint
    // included) and runs the outcome on the button. Returns at once; false when refused
    // because a redemption is already under way.
    bool redeemCard();
    bool isBusy() const { return m_running; }

    QFrame *groupBox() const { return m_group; }
    HintLineEdit *cardNumberEdit() const { return m_cardNumber; }
    HintLineEdit *cardPasswordEdit() const { return m_cardPassword; }
    QPushButton *redeemButton() const { return m_button; }
    BusyIndicator *busy() const { return m_busy; }

signals:
    // The button is back to "使用" and enabled.
    void redemptionFinished();

private:
    void createGroup();
    void createEdits();
    void createButton(ProgressPhase &phase);

    // The steps on the worker, and the control writes they post.
    static void runRedemption(QPointer<QObject> page, std::string cardNumber,
                              std::string cardPassword);
    static void onPage(QPointer<QObject> page, std::function<void(CardTopUpPage &)> write);
    static void waitForOutcomeEnd(QPointer<QObject> page, bool success);
    void showBusy();
    void showOutcome(const CardTopUpRequest::Outcome &outcome);
    bool outcomeEnded(bool success) const;
    void finishRedemption();

    QFrame *m_group = nullptr;
    HintLineEdit *m_cardNumber = nullptr;
    HintLineEdit *m_cardPassword = nullptr;
    PictureBox *m_cardIcon = nullptr;
    PictureBox *m_passwordIcon = nullptr;
    QPushButton *m_button = nullptr;
    BusyIndicator *m_busy = nullptr;
    bool m_running = false;
};

} // namespace cloud
