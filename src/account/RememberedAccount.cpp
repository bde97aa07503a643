#include "account/RememberedAccount.h"

#include "app/AccountSettings.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/SerialWorker.h"

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
    // The values are taken now; the file is written behind the writes before.
    SerialWorker::post([settings = settings(),
                        remember = m_window->rememberPasswordBox()->isChecked(),
                        account = m_window->accountEdit()->text().toStdString(),
                        password = m_window->passwordEdit()->text().toStdString()] {
        settings.saveRemember(remember, account, password);
    });
}

void RememberedAccount::saveAutoSignIn()
{
    SerialWorker::post([settings = settings(), ticked = m_window->autoSignInBox()->isChecked()] {
        settings.saveAutoSignIn(ticked);
    });
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
