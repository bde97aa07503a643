#pragma once

#include "ui/SkinnedWindow.h"

#include <string>

class QLabel;

namespace cloud {

// Common ground of the small host windows (reinstall, password, remark): a skinned
// modal window for one host, with its title label `标签EX2`, whose close label closes
// it without doing anything else. The host is bound when the window opens, so that a
// list reload behind it can never redirect the operation to another host.
class HostOperationWindow : public SkinnedWindow
{
    Q_OBJECT
public:
    HostOperationWindow(const QString &windowName, const QString &frameName, const QSize &size,
                        const QString &title, std::string hostId, QWidget *parent);

    const std::string &hostId() const { return m_hostId; }
    QLabel *titleLabel() const { return m_title; }

    // Shows the window modally, centred over `reference` (when given), and returns at
    // once; the window deletes itself when closed.
    void open(const QWidget *reference);

protected:
    void onCloseLabel() override;
    // A caption label at a place of the design.
    QLabel *addLabel(const QString &name, const QString &text, const QRect &geometry);

private:
    std::string m_hostId;
    QLabel *m_title = nullptr;
};

} // namespace cloud
