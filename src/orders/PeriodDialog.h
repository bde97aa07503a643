#pragma once

#include "orders/OrdersContext.h"
#include "orders/RentalPeriod.h"
#include "ui/SkinnedWindow.h"

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace cloud {

class LinkLabel;

// What the purchase and renewal dialogs share (509 × 343, modal): the title `标签EX2`, the
// open and expiry times `开通时间1` and `到期时间1`, the period group `分组框EX1` with
// `单选框EX1` "一天", `单选框EX2` "一个月" and `单选框EX3` "一年", the price `费用1`, the
// balance `余额`, the top-up link `充值` and the action button.
class PeriodDialog : public SkinnedWindow
{
    Q_OBJECT
public:
    struct Design
    {
        QString windowName; // PurchaseWindow, RenewWindow
        QString title;      // "开通", "续费"
        QString groupTitle; // "时长", "延长"
        QString buttonName; // 开通按钮, 续费按钮
        QString buttonText; // "开通", "续费"
        bool withSystemRow; // room for the operating-system row
    };

    PeriodDialog(const Design &design, OrdersContext context, QWidget *parent);

    // Shows the dialog modally over its parent's window; it deletes itself when closed.
    void open();

    QLabel *titleLabel() const { return m_title; }
    QLabel *openTimeLabel() const { return m_openTime; }
    QLabel *expiryLabel() const { return m_expiry; }
    QGroupBox *periodGroup() const { return m_group; }
    QRadioButton *periodButton(RentalPeriod period) const
    {
        return m_periods[static_cast<int>(period)];
    }
    QLabel *feeLabel() const { return m_fee; }
    QLabel *balanceLabel() const { return m_balance; }
    LinkLabel *rechargeLink() const { return m_recharge; }
    QPushButton *actionButton() const { return m_action; }

    std::optional<RentalPeriod> checkedPeriod() const;
    void checkPeriod(RentalPeriod period);

signals:
    // The user clicked one of the three period buttons.
    void periodClicked();

protected:
    const OrdersContext &context() const { return m_context; }
    // The y position of the operating-system row (only with `withSystemRow`).
    static constexpr int systemRowY = 198;
    QLabel *rowCaption(const QString &name, const QString &text, int y);
    QLabel *rowValue(const QString &name, int y, int width = 300);
    void paintEvent(QPaintEvent *event) override;

private:
    void createTimes();
    void createPeriods(const QString &groupTitle);
    void createFooter(const Design &design);
    void placeBalance();

    OrdersContext m_context;
    QLabel *m_title = nullptr;
    QLabel *m_openTime = nullptr;
    QLabel *m_expiry = nullptr;
    QGroupBox *m_group = nullptr;
    std::array<QRadioButton *, 3> m_periods{};
    QLabel *m_fee = nullptr;
    QLabel *m_balance = nullptr;
    LinkLabel *m_recharge = nullptr;
    QPushButton *m_action = nullptr;
};

} // namespace cloud
