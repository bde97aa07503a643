#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

namespace cloud {

class ButtonDriver;
class LoginWindow;

// The recovery form's `recoverPassword`: posts the account and mobile number (hints as
// they stand) on a worker and shows the outcome in the caption of `按钮打码登录3`, which
// is disabled meanwhile. A click while a run is under way is ignored.
class RecoveryFlow : public QObject
{
    Q_OBJECT
public:
    struct Outcome
    {
        bool success;
        QString caption;
    };

    explicit RecoveryFlow(QObject *parent = nullptr);

    void attach(LoginWindow *window);
    bool isRunning() const { return m_running; }

    static Outcome outcomeOf(const std::string &reply);

public slots:
    void start();

private:
    static void run(const ButtonDriver &button, const std::string &account,
                    const std::string &mobile);

    QPointer<LoginWindow> m_window;
    bool m_running = false;
};

} // namespace cloud
