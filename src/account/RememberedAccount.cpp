#include "account/RememberedAccount.h"

#include "app/AccountSettings.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"

#include <QCheckBox>

namespace cloud {

RememberedAccount::RememberedAccount(LoginWindow *window, std::function<std::string()> settingsPath)
    : m_window(window), m_settingsPath(std::move(settingsPath))
{}

AccountSettings RememberedAccount::settings() const
{
    return AccountSettings(m_settingsPath ? m_settingsPath() : std::string());
}

void RememberedAccount::restoreRememberedAccount()
{
    const AccountSettings::Remembered stored = settings().restore();
    if (!stored.remember)
        return;
    m_window->rememberPasswordBox()->setChecked(true);
    m_window->accountEdit()->setValue(QString::fromStdString(stored.accountName));
    m_window->passwordEdit()->setValue(QString::fromStdString(stored.password));
    if (stored.autoSignIn)
        m_window->autoSignInBox()->setChecked(true);
}

void RememberedAccount::saveRememberedAccount()
{
    settings().saveRemember(m_window->rememberPasswordBox()->isChecked(),
                            m_window->accountEdit()->text().toStdString(),
                            m_window->passwordEdit()->text().toStdString());
}

void RememberedAccount::saveAutoSignIn()
{
    settings().saveAutoSignIn(m_window->autoSignInBox()->isChecked());
}

void RememberedAccount::saveOnClicks()
{
    // clicked(), not toggled(): restoring the boxes at start-up must not write the file.
    QObject::connect(m_window->rememberPasswordBox(), &QCheckBox::clicked, m_window,
                     [this] { saveRememberedAccount(); });
    QObject::connect(m_window->autoSignInBox(), &QCheckBox::clicked, m_window,
                     [this] { saveAutoSignIn(); });
}

} // namespace cloud
