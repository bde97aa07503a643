#pragma once

#include "hosts/HostOperationWindow.h"

class QLineEdit;
class QPushButton;

namespace cloud {

// "修改密码": the new password twice and the button "修改".
class ChangePasswordWindow : public HostOperationWindow
{
    Q_OBJECT
public:
    static constexpr QSize kSize{348, 237};

    ChangePasswordWindow(std::string hostId, QWidget *parent);

    QString newPassword() const;
    QString repeatedPassword() const;
    // While the change is under way the button refuses.
    void setBusy(bool busy);

    QLineEdit *newPasswordEdit() const { return m_first; }
    QLineEdit *repeatEdit() const { return m_second; }
    QPushButton *changeButton() const { return m_change; }

signals:
    void changeRequested();

protected:
    QWidget *frameTabTarget() const override;

private:
    QLineEdit *addPasswordEdit(const QString &name, const QRect &geometry);

    QLineEdit *m_first = nullptr;
    QLineEdit *m_second = nullptr;
    QPushButton *m_change = nullptr;
};

} // namespace cloud
