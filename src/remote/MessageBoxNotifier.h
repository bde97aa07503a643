#pragma once

#include "remote/RemoteNotifier.h"

#include <QPointer>
#include <QWidget>

namespace cloud {

// Shows each notice in a modal message box with an OK button over `parent`.
class MessageBoxNotifier : public RemoteNotifier
{
public:
    explicit MessageBoxNotifier(QWidget *parent) : m_parent(parent) {}
    void notice(const std::string &title, const std::string &text) override;

private:
    QPointer<QWidget> m_parent;
};

} // namespace cloud
