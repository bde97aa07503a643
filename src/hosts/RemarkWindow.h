#pragma once

#include "hosts/HostOperationWindow.h"

class QLineEdit;
class QPushButton;

namespace cloud {

// "设置": the host's remark and the button "设置".
class RemarkWindow : public HostOperationWindow
{
    Q_OBJECT
public:
    static constexpr QSize kSize{341, 149};

    RemarkWindow(std::string hostId, QWidget *parent);

    QString remark() const;
    // While the remark is on its way the button refuses.
    void setBusy(bool busy);

    QLineEdit *remarkEdit() const { return m_remark; }
    QPushButton *setButton() const { return m_set; }

signals:
    void remarkRequested();

protected:
    QWidget *frameTabTarget() const override;

private:
    QLineEdit *m_remark = nullptr;
    QPushButton *m_set = nullptr;
};

} // namespace cloud
