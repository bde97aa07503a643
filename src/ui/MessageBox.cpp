#include "ui/MessageBox.h"

#include "ui/SkinnedMessageBox.h"

#include <QCoreApplication>
#include <QMutex>
#include <QPointer>
#include <QThread>

#include <optional>

namespace cloud {
namespace {

struct Seam
{
    QMutex mutex;
    std::optional<MessageBox::Button> nextAnswer;
    bool headless = false;
    QList<MessageBox::Record> records;
};

Seam &seam()
{
    static Seam instance;
    return instance;
}

MessageBox::Button execInformation(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("信息："), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MessageBoxInformation"));
    return box.exec() == QMessageBox::Ok ? QMessageBox::Ok : QMessageBox::NoButton;
}

MessageBox::Button execSkinned(QWidget *parent, const MessageBox::Record &record)
{
    SkinnedMessageBox box(record.title, record.text, parent);
    box.setTimeout(record.timeoutMs);
    return box.exec() == QDialog::Accepted ? QMessageBox::Ok : QMessageBox::NoButton;
}

} // namespace

MessageBox::Button MessageBox::information(QWidget *parent, const QString &text)
{
    return show(parent, {Kind::Information, QStringLiteral("信息："), text, -1});
}

MessageBox::Button MessageBox::skinned(QWidget *parent, const QString &title, const QString &text)
{
    return show(parent, {Kind::Skinned, title, text, -1});
}

MessageBox::Button MessageBox::autoClosing(QWidget *parent, const QString &title,
                                           const QString &text, int ms)
{
    return show(parent, {Kind::AutoClosing, title, text, std::max(0, ms)});
}

void MessageBox::setNextAnswer(Button answer)
{
    QMutexLocker lock(&seam().mutex);
    seam().nextAnswer = answer;
}

void MessageBox::setHeadless(bool headless)
{
    QMutexLocker lock(&seam().mutex);
    seam().headless = headless;
}

QList<MessageBox::Record> MessageBox::takeRecords()
{
    QMutexLocker lock(&seam().mutex);
    return std::exchange(seam().records, {});
}

bool MessageBox::answerWithoutShowing(const Record &box, Button &answer)
{
    QMutexLocker lock(&seam().mutex);
    Seam &state = seam();
    if (!state.nextAnswer && !state.headless)
        return false;
    answer = state.nextAnswer.value_or(QMessageBox::Ok);
    state.nextAnswer.reset();
    state.records.append(box);
    return true;
}

MessageBox::Button MessageBox::show(QWidget *parent, const Record &box)
{
    Button answer = QMessageBox::NoButton;
    if (answerWithoutShowing(box, answer))
        return answer;
    auto *app = QCoreApplication::instance();
    if (!app)
        return QMessageBox::NoButton;
    if (QThread::currentThread() == app->thread())
        return showOnGuiThread(parent, box);
    // A worker waits for the box like a caller on the GUI thread would.
    QPointer<QWidget> guardedParent(parent);
    QMetaObject::invokeMethod(
        app, [&] { answer = showOnGuiThread(guardedParent.data(), box); },
        Qt::BlockingQueuedConnection);
    return answer;
}

MessageBox::Button MessageBox::showOnGuiThread(QWidget *parent, const Record &box)
{
    if (box.kind == Kind::Information)
        return execInformation(parent, box.text);
    return execSkinned(parent, box);
}

} // namespace cloud
