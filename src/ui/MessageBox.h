#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

class QWidget;

namespace cloud {

// The program's message boxes. Each call waits until its box is closed and may be
// made from any thread (a worker's call is carried to the GUI thread and waits
// there). Tests answer boxes in advance so that nothing modal ever appears.
class MessageBox
{
public:
    using Button = QMessageBox::StandardButton;
    enum class Kind { Information, Skinned, AutoClosing };
    struct Record
    {
        Kind kind;
        QString title;
        QString text;
        int timeoutMs;
    };

    // The plain notice: title "信息：", an OK button. Returns Ok, or NoButton when
    // the box was closed otherwise.
    static Button information(QWidget *parent, const QString &text);
    // The skinned box with an explicit title ("提示", "错误", "公告").
    static Button skinned(QWidget *parent, const QString &title, const QString &text);
    // A skinned box that closes itself after `ms` milliseconds (NoButton then).
    static Button autoClosing(QWidget *parent, const QString &title, const QString &text, int ms);

    // Test seam. The next box is not shown: it is recorded and returns `answer`.
    static void setNextAnswer(Button answer);
    // While on, every box is recorded and answered (with a pending next answer,
    // else Ok) instead of shown.
    static void setHeadless(bool headless);
    // The boxes answered without being shown since the last call, oldest first.
    static QList<Record> takeRecords();

private:
    static Button show(QWidget *parent, const Record &box);
    static bool answerWithoutShowing(const Record &box, Button &answer);
    static Button showOnGuiThread(QWidget *parent, const Record &box);
};

} // namespace cloud
