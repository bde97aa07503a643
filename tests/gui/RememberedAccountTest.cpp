#include "GuiTestEnvironment.h"

#include "account/RememberedAccount.h"
#include "app/IniFile.h"
#include "ui/HintLineEdit.h"
#include "ui/LoginWindow.h"
#include "ui/SerialWorker.h"
#include "ui/Workers.h"

#include <QCheckBox>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>

namespace cloud::test {
namespace {

class RememberedAccountTest : public GuiTest
{
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        Workers::resetForTests();
        path = dir.filePath(QStringLiteral("云.ini")).toStdString();
        window = std::make_unique<LoginWindow>();
        remembered = std::make_unique<RememberedAccount>(window.get(), [this] { return path; });
        remembered->saveOnClicks();
        window->show();
    }

    void TearDown() override { Workers::resetForTests(); }

    void writeFile(const std::string &configLines)
    {
        std::ofstream(path, std::ios::binary) << "[Config]\r\n" << configLines;
    }
    std::string stored(const char *key)
    {
        EXPECT_TRUE(QTest::qWaitFor([] { return SerialWorker::idle(); }, 5000));
        return readIni(path, "Config", key);
    }
    static void click(QCheckBox *box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, 14)); }

    QTemporaryDir dir;
    std::string path;
    std::unique_ptr<LoginWindow> window;
    std::unique_ptr<RememberedAccount> remembered;
};

struct RestoreCase
{
    const char *file; // nullptr: no file at all
    bool remember;
    const char *account; // nullptr: the hint stays
    const char *password;
    bool autoSignIn;
};

TEST_F(RememberedAccountTest, RestoresOnlyWhenRememberingIsSet)
{
    const RestoreCase cases[] = {
        {"Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n", true, "a1", "p1", true},
        {"Rememberaccount=01\r\nzh=a1\r\nmm=p1\r\nzdlogin=0\r\n", true, "a1", "p1", false},
        {"Rememberaccount=yes\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n", false, nullptr, nullptr, false},
        // The automatic sign-in is not restored without the remembered account.
        {"Rememberaccount=0\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n", false, nullptr, nullptr, false},
        {"zdlogin=1\r\n", false, nullptr, nullptr, false},
        // A stored empty value replaces the hint as well.
        {"Rememberaccount=1\r\nzh=a1\r\nmm=\r\n", true, "a1", "", false},
        {nullptr, false, nullptr, nullptr, false},
    };
    for (const RestoreCase &c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no file");
        std::filesystem::remove(path);
        if (c.file)
            writeFile(c.file);
        LoginWindow fresh;
        RememberedAccount(&fresh, [this] { return path; }).restoreRememberedAccount();

        EXPECT_EQ(fresh.rememberPasswordBox()->isChecked(), c.remember);
        EXPECT_EQ(fresh.autoSignInBox()->isChecked(), c.autoSignIn);
        EXPECT_EQ(fresh.accountEdit()->text(),
                  c.account ? QString::fromUtf8(c.account) : QStringLiteral("用户名/账号"));
        EXPECT_EQ(fresh.accountEdit()->isShowingHint(), c.account == nullptr);
        EXPECT_EQ(fresh.passwordEdit()->text(),
                  c.password ? QString::fromUtf8(c.password) : QStringLiteral("密码"));
        // A restored password shows masked; the hint never does.
        EXPECT_EQ(fresh.passwordEdit()->echoMode(),
                  c.password ? QLineEdit::Password : QLineEdit::Normal);
    }
}

TEST_F(RememberedAccountTest, RestoringWritesNothing)
{
    writeFile("Rememberaccount=1\r\nzh=a1\r\nmm=p1\r\nzdlogin=1\r\n");
    const auto before = std::filesystem::last_write_time(path);
    remembered->restoreRememberedAccount();
    EXPECT_TRUE(QTest::qWaitFor([] { return SerialWorker::idle(); }, 5000));
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST_F(RememberedAccountTest, CheckBoxClicksWriteAtOnce)
{
    window->accountEdit()->setValue(QStringLiteral("a1"));
    window->passwordEdit()->setValue(QStringLiteral("p1"));
    click(window->autoSignInBox());
    EXPECT_EQ(stored("zdlogin"), "1");

    click(window->rememberPasswordBox());
    EXPECT_EQ(stored("Rememberaccount"), "1");
    EXPECT_EQ(stored("zh"), "a1");
    EXPECT_EQ(stored("mm"), "p1");
    // The password is in clear text: only its owner may read the file.
    const auto perms = std::filesystem::status(path).permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    // Unticking forgets the account in the file, not in the form, and leaves zdlogin.
    click(window->rememberPasswordBox());
    EXPECT_EQ(stored("Rememberaccount"), "0");
    EXPECT_EQ(stored("zh"), "");
    EXPECT_EQ(stored("mm"), "");
    EXPECT_EQ(stored("zdlogin"), "1");
    EXPECT_EQ(window->accountEdit()->text(), QStringLiteral("a1"));

    click(window->autoSignInBox());
    EXPECT_EQ(stored("zdlogin"), "0");
}

TEST_F(RememberedAccountTest, QuickClicksLandInTheirOrder)
{
    window->accountEdit()->setValue(QStringLiteral("a1"));
    for (int i = 0; i < 9; ++i)
        click(window->rememberPasswordBox());
    EXPECT_TRUE(window->rememberPasswordBox()->isChecked());
    EXPECT_EQ(stored("Rememberaccount"), "1");
    EXPECT_EQ(stored("zh"), "a1");
}

} // namespace
} // namespace cloud::test
