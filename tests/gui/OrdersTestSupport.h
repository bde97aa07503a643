#pragma once

#include "FakeOrderService.h"
#include "GuiTestEnvironment.h"

#include "app/Pacing.h"
#include "orders/MainProgress.h"
#include "ui/MessageBox.h"
#include "ui/Workers.h"

#include <QTest>

#include <memory>

namespace cloud::test {

// UTF-8 literals as Qt text (the build forbids implicit conversions).
inline QString qs(const char *utf8)
{
    return QString::fromUtf8(utf8);
}
inline QStringList qsl(std::initializer_list<const char *> utf8)
{
    QStringList out;
    for (const char *text : utf8)
        out << QString::fromUtf8(text);
    return out;
}

// The catalogue, purchase and renewal against a local fake service, without real pauses;
// message boxes are recorded instead of shown.
class OrdersTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Pacing::install(std::make_shared<InstantPacing>());
        MessageBox::takeRecords();
        MainProgress::reset();
        service = std::make_unique<FakeOrderService>();
    }
    void TearDown() override
    {
        // Workers may be waiting for the GUI thread, so it keeps running until they end.
        EXPECT_TRUE(QTest::qWaitFor([] { return Workers::running() == 0; }, 10000));
        Workers::resetForTests();
        service.reset();
        Pacing::install(nullptr);
    }

    static bool waitFor(const std::function<bool()> &condition)
    {
        return QTest::qWaitFor(condition, 10000);
    }

    // Message box texts since the last call, oldest first.
    static QStringList boxTexts()
    {
        QStringList texts;
        for (const MessageBox::Record &box : MessageBox::takeRecords())
            texts << box.text;
        return texts;
    }

    std::unique_ptr<FakeOrderService> service;
};

} // namespace cloud::test
