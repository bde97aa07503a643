#pragma once

#include "ui/SkinnedWindow.h"

#include <functional>

class QLabel;

namespace cloud {

class HoverLabel;
class PictureBox;

// The personal information window (385 × 365, modal): greeting or real-name notice, balance
// with the "充值" link, the account's fields and the "实名认证" link for an unverified
// account. It reloads the profile when it opens and shows itself once that is done.
class ProfileWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    // Makes a dialog for a link of this window (RechargeWindow, RealNameWindow); the dialog
    // is shown modally and deleted when closed.
    using DialogFactory = std::function<QWidget *(QWidget *parent)>;
    static void setRechargeFactory(DialogFactory factory);
    static void setRealNameFactory(DialogFactory factory);

    explicit ProfileWindow(QWidget *parent);

    // Creates the window, reloads the profile on a worker and shows the window modally when
    // the profile is in. The window deletes itself when closed.
    static ProfileWindow *open(QWidget *parent);

    // Writes the profile's current values into the controls.
    void fill();

    QLabel *greetingLabel() const { return m_greeting; }
    QLabel *balanceLabel() const { return m_balance; }
    HoverLabel *rechargeLink() const { return m_recharge; }
    HoverLabel *realNameLink() const { return m_realName; }

signals:
    // A link's dialog was opened (the RechargeWindow or the RealNameWindow).
    void linkedDialogOpened(QWidget *dialog);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createSummary();
    void createFields();
    void openLinked(const DialogFactory &factory, const QString &fallbackName,
                    const QSize &fallbackSize);

    PictureBox *m_avatar = nullptr;
    QLabel *m_greeting = nullptr;
    QLabel *m_balance = nullptr;
    HoverLabel *m_recharge = nullptr;
    HoverLabel *m_realName = nullptr;
    QLabel *m_fields[5] = {};
};

} // namespace cloud
