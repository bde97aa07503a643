#pragma once

#include <QWidget>

class QPushButton;

namespace cloud {

class BusyIndicator;
class HintLineEdit;
class PictureBox;
class ProgressPhase;

// Page 4 of the main window, the prepaid card top-up: inside `分组框卡密激活` the card number
// `编辑框卡号`, the card password `编辑框卡密`, their icons and the button `按钮打码登录2` with
// its busy picture (`图片框登录进度`, timer `时钟1`). Controls only; the card flow drives them.
class CardPage : public QWidget
{
    Q_OBJECT
public:
    CardPage(ProgressPhase &phase, QWidget *parent);

    HintLineEdit *cardNumberEdit() const { return m_number; }
    HintLineEdit *cardPasswordEdit() const { return m_password; }
    QPushButton *redeemButton() const { return m_button; }
    BusyIndicator *busy() const { return m_busy; }

private:
    HintLineEdit *m_number = nullptr;
    HintLineEdit *m_password = nullptr;
    QPushButton *m_button = nullptr;
    BusyIndicator *m_busy = nullptr;
};

} // namespace cloud
