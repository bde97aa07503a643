#include "remote/MessageBoxNotifier.h"

#include <QMessageBox>

namespace cloud {

void MessageBoxNotifier::notice(const std::string &title, const std::string &text)
{
    QMessageBox::information(m_parent.data(), QString::fromStdString(title),
                             QString::fromStdString(text));
}

} // namespace cloud
