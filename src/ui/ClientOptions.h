#pragma once

#include <QString>
#include <QStringList>

namespace cloud {

// The client's command-line options. None is needed for normal use; the others serve
// the demo and the start-up benchmark.
struct ClientOptions
{
    // Save a picture of the visible window there and end (the headless demo).
    QString screenshotPath;
    // Fill the sign-in form with this account and sign in by key, without a captcha.
    QString demoAccount;
    QString demoPassword;
    // Print the milliseconds from the process start until the LoginWindow takes input,
    // then end.
    bool reportReady = false;
    // Make the start-up requests one after the other instead of together (for comparison).
    bool sequentialStartup = false;

    bool demoSignIn() const { return !demoAccount.isEmpty(); }

    // Unknown arguments are ignored; an option missing its value is ignored.
    static ClientOptions parse(const QStringList &arguments);
};

} // namespace cloud
