#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <string>

namespace cloud {

class ButtonDriver;
class LoginWindow;

// The registration page's `register`: local checks of the four boxes, then the request
// on a worker with its progress and outcome in the caption of `按钮注册`. A request
// while one runs is ignored, so that one run at a time drives the button.
class RegistrationFlow : public QObject
{
    Q_OBJECT
public:
    struct Entries
    {
        QString mobile;
        QString password;
        QString confirmation;
        QString code;
    };

    struct Outcome
    {
        bool success;
        // The pause before the outcome is the short one (300–1300 ms), not 500–3000 ms.
        bool shortPause;
        QString caption;
    };

    explicit RegistrationFlow(QObject *parent = nullptr);

    // Runs on the window's registration requests (the button, Enter in either password box).
    void attach(LoginWindow *window);
    bool isRunning() const { return m_running; }

    // The message of the first local check that fails; empty when all pass.
    static QString checkEntries(const Entries &entries);
    // How a reply of the service is shown.
    static Outcome outcomeOf(const std::string &reply);

public slots:
    void start();

private:
    static void run(const ButtonDriver &button, const Entries &entries);

    QPointer<LoginWindow> m_window;
    bool m_running = false;
};

} // namespace cloud
