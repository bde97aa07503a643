#include "ui/ClientOptions.h"
#include "ui/WebPage.h"

#include "GuiTestEnvironment.h"

#include <QDesktopServices>
#include <QUrl>

namespace cloud::test {
namespace {

TEST(ClientOptions, ReadsTheDemoAndBenchmarkOptions)
{
    const ClientOptions all = ClientOptions::parse(
        {QStringLiteral("cloudclient"), QStringLiteral("--demo-sign-in"),
         QStringLiteral("13800000000"), QStringLiteral("demo1234"),
         QStringLiteral("--demo-screenshot"), QStringLiteral("/tmp/s.png"),
         QStringLiteral("--report-ready"), QStringLiteral("--sequential-startup")});
    EXPECT_TRUE(all.demoSignIn());
    EXPECT_EQ(all.demoAccount, QStringLiteral("13800000000"));
    EXPECT_EQ(all.demoPassword, QStringLiteral("demo1234"));
    EXPECT_EQ(all.screenshotPath, QStringLiteral("/tmp/s.png"));
    EXPECT_TRUE(all.reportReady);
    EXPECT_TRUE(all.sequentialStartup);

    // An option short of its values is ignored, and so is anything unknown.
    const ClientOptions cut =
        ClientOptions::parse({QStringLiteral("cloudclient"), QStringLiteral("--unknown"),
                              QStringLiteral("--demo-sign-in"), QStringLiteral("only-account")});
    EXPECT_FALSE(cut.demoSignIn());
    EXPECT_FALSE(cut.reportReady);
    EXPECT_TRUE(ClientOptions::parse({}).screenshotPath.isEmpty());
}

// Takes what would go to the browser.
class Browser : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

TEST_F(GuiTest, WebPagesOpenOnlyForWebAddresses)
{
    Browser browser;
    const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                              QStringLiteral("file"), QStringLiteral("mailto")};
    for (const QString &scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &browser, "open");
    struct Case
    {
        const char *address;
        bool opened;
    };
    const Case cases[] = {
        {"http://127.0.0.1:8360/user/findpwd/index.html", true},
        {"https://example.com/pay?id=1", true},
        {"file:///etc/passwd", false},
        {"mailto:someone@example.com", false},
        {"http:///no-host", false},
        {"", false},
    };
    for (const Case &c : cases) {
        browser.opened.clear();
        EXPECT_EQ(openWebPage(c.address), c.opened) << c.address;
        EXPECT_EQ(browser.opened.size(), c.opened ? 1 : 0) << c.address;
    }
    for (const QString &scheme : schemes)
        QDesktopServices::unsetUrlHandler(scheme);
}

} // namespace
} // namespace cloud::test

#include "ClientOptionsTest.moc"
