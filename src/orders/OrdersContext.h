#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

namespace cloud {

// What the catalogue, the purchase and the renewal need from the rest of the main
// window. Every member may be left empty: the defaults below apply.
struct OrdersContext
{
    // The balance text of the account profile as it was last loaded, such as "36.8元".
    std::function<QString()> balanceText;
    // Opens the top-up window modally over `dialog` (the purchase or renewal window).
    std::function<void(QWidget *dialog)> openRecharge;
    // Reloads the host-list page that the main window shows.
    std::function<void()> reloadHostList;
    // The local time the dialogs count dates from; the clock when empty.
    std::function<QDateTime()> now;

    QString balance() const { return balanceText ? balanceText() : QString(); }
    QDateTime currentTime() const { return now ? now() : QDateTime::currentDateTime(); }
};

} // namespace cloud
