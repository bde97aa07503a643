#pragma once

#include "hosts/HostOperationWindow.h"
#include "hosts/HostRequests.h"

#include <vector>

class QComboBox;
class QPushButton;

namespace cloud {

// "安装系统": the systems a host can be reinstalled with, names in `组合框EX1` and
// identifiers in `组合框EX2`, item for item, and the button "安装".
class ReinstallWindow : public HostOperationWindow
{
    Q_OBJECT
public:
    static constexpr QSize kSize{509, 343};

    ReinstallWindow(std::string hostId, QWidget *parent);

    // Fills both drop-downs in the order given; the first system becomes the choice,
    // none when the list is empty. Ends the loading state.
    void setSystems(const std::vector<OsEntry> &systems);
    // While the list is on its way the button refuses.
    void setLoading(bool loading);
    const std::string &chosenOsId() const { return m_chosenOsId; }

    QComboBox *nameBox() const { return m_names; }
    QComboBox *idBox() const { return m_ids; }
    QPushButton *installButton() const { return m_install; }

signals:
    void installRequested();

private:
    void createControls();
    // Keeps the two drop-downs on the same item and the choice on its identifier.
    void choose(int index);

    QComboBox *m_names = nullptr;
    QComboBox *m_ids = nullptr;
    QPushButton *m_install = nullptr;
    std::string m_chosenOsId;
};

} // namespace cloud
