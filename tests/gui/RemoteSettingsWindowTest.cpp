#include "remote/RemoteSettingsWindow.h"

#include "RemoteGuiApp.h"
#include "RemoteTempDir.h"
#include "app/IniFile.h"
#include "remote/SettingsBalloon.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>

#include <memory>

using namespace cloud;
using cloud::test::RemoteTempDir;

namespace {

class RemoteSettingsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { cloud::test::remoteGuiApp(); }

    std::unique_ptr<RemoteSettingsWindow> open()
    {
        auto window = std::make_unique<RemoteSettingsWindow>(
            config, [this] { return drives; }, nullptr);
        window->show();
        return window;
    }

    template <typename T> static T *control(const RemoteSettingsWindow &window, const char *name)
    {
        T *widget = window.findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static QCheckBox *box(const RemoteSettingsWindow &w, const char *name)
    {
        return control<QCheckBox>(w, name);
    }
    static QRadioButton *radio(const RemoteSettingsWindow &w, const char *name)
    {
        return control<QRadioButton>(w, name);
    }
    static QString label(const RemoteSettingsWindow &w, const char *name)
    {
        return control<QLabel>(w, name)->text();
    }
    static QTreeWidget *driveList(const RemoteSettingsWindow &w)
    {
        return control<QTreeWidget>(w, "超级列表框_磁盘");
    }
    static std::vector<bool> marks(const RemoteSettingsWindow &w)
    {
        std::vector<bool> checked;
        for (int i = 0; i < driveList(w)->topLevelItemCount(); ++i)
            checked.push_back(driveList(w)->topLevelItem(i)->checkState(0) == Qt::Checked);
        return checked;
    }
    std::string stored(const char *key) const { return readIni(config, "RDP", key); }

    RemoteTempDir dir;
    std::string config = dir.file("config.ini");
    std::vector<DriveEntry> drives = {
        {"/", "root", "ext4"}, {"/data", "", "xfs"}, {"/home", "", "ext4"}};
};

} // namespace

TEST_F(RemoteSettingsWindowTest, FirstOpeningShowsTheDesignAndClosingStoresIt)
{
    auto window = open();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("功能设置"));
    EXPECT_EQ(window->size(), QSize(468, 431));
    EXPECT_EQ(window->balloon()->shown(), QStringList{QStringLiteral("系统设置")});
    EXPECT_EQ(window->balloon()->objectName(), QStringLiteral("气球提示框1"));

    EXPECT_EQ(label(*window, "标签_大小"), QStringLiteral("窗口模式800×600"));
    EXPECT_EQ(label(*window, "标签_颜色"), QStringLiteral("监视器32位真彩色"));
    EXPECT_TRUE(radio(*window, "单选框_窗口模式")->isChecked());
    EXPECT_TRUE(radio(*window, "单选框_无强制")->isChecked());
    EXPECT_TRUE(radio(*window, "单选框_无声音")->isChecked());
    EXPECT_TRUE(radio(*window, "单选框_全屏组键")->isChecked());
    EXPECT_FALSE(box(*window, "选择框_映射")->isChecked());
    EXPECT_FALSE(driveList(*window)->isEnabled());
    for (const char *on :
         {"选择框_剪贴板", "选择框_重连", "选择框_压缩", "选择框_全屏连接栏", "选择框_桌面背景"})
        EXPECT_TRUE(box(*window, on)->isChecked()) << on;
    for (const char *off : {"选择框_打印机", "选择框_串行口", "选择框_智能卡", "选择框_PnP设备",
                            "选择框_桌面主题", "选择框_录音"})
        EXPECT_FALSE(box(*window, off)->isChecked()) << off;

    window->close();
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("系统配置修改成功!"));
    ASSERT_EQ(loadStoredRemoteSettings(config), RemoteDesktopSettings::designDefaults());
}

TEST_F(RemoteSettingsWindowTest, StoredChoicesComeBack)
{
    RemoteDesktopSettings s = RemoteDesktopSettings::designDefaults();
    s.windowSize = "1440×900";
    s.colorDepth = "16";
    s.driveMapping = s.smartCards = "1";
    s.localDrives = "/;/home;";
    s.printers = "1";
    s.themes = "1";
    s.sessionMode = "0";
    s.audioPlayback = "1";
    s.keyboardHook = "0";
    s.audioCapture = "1";
    saveRemoteSettings(config, s);

    auto window = open();
    EXPECT_EQ(control<QSlider>(*window, "滑块条_大小")->value(), 40);
    EXPECT_EQ(label(*window, "标签_大小"), QStringLiteral("窗口模式1440×900"));
    EXPECT_EQ(label(*window, "标签_颜色"), QStringLiteral("监视器16位颜色"));
    EXPECT_TRUE(radio(*window, "单选框_admin")->isChecked());
    EXPECT_TRUE(radio(*window, "单选框_本机声音")->isChecked());
    EXPECT_TRUE(radio(*window, "单选框_本地组键")->isChecked());
    EXPECT_TRUE(box(*window, "选择框_映射")->isChecked());
    EXPECT_TRUE(driveList(*window)->isEnabled());
    EXPECT_EQ(marks(*window), (std::vector<bool>{true, false, true}));
    EXPECT_EQ(window->currentValues(), s);
}

TEST_F(RemoteSettingsWindowTest, ValuesOutsideTheTablesLeaveTheDesign)
{
    writeIni(config, "RDP", "窗口模式", "9");
    writeIni(config, "RDP", "监视器颜色", "12");
    writeIni(config, "RDP", "剪贴板", "yes");
    writeIni(config, "RDP", "音频播放", "5");
    auto window = open();
    EXPECT_EQ(window->currentValues(), RemoteDesktopSettings::designDefaults());
}

TEST_F(RemoteSettingsWindowTest, FullScreenKeepsTheStoredSize)
{
    RemoteDesktopSettings s = RemoteDesktopSettings::designDefaults();
    s.windowMode = "0";
    s.windowSize = "1280×1024";
    saveRemoteSettings(config, s);

    auto window = open();
    auto *slider = control<QSlider>(*window, "滑块条_大小");
    EXPECT_EQ(slider->value(), 60);
    EXPECT_EQ(label(*window, "标签_大小"), QStringLiteral("全屏模式"));
    EXPECT_TRUE(radio(*window, "单选框_全屏模式")->isChecked());
    EXPECT_EQ(window->currentValues().windowSize, "1280×1024");

    // The window radio brings the stored size back.
    radio(*window, "单选框_窗口模式")->click();
    EXPECT_EQ(slider->value(), 30);
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("远程窗口模式被开启"));
    radio(*window, "单选框_全屏模式")->click();
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("远程全屏模式被开启"));
    EXPECT_EQ(slider->value(), 60);
}

TEST_F(RemoteSettingsWindowTest, WindowRadioWithoutStoredSizeStaysFullScreen)
{
    auto window = open();
    radio(*window, "单选框_全屏模式")->click();
    radio(*window, "单选框_窗口模式")->click();
    EXPECT_EQ(control<QSlider>(*window, "滑块条_大小")->value(), 60);
    EXPECT_TRUE(radio(*window, "单选框_全屏模式")->isChecked());
    EXPECT_EQ(window->currentValues().windowMode, "0");
}

TEST_F(RemoteSettingsWindowTest, SlidersStepAndLabel)
{
    auto window = open();
    auto *size = control<QSlider>(*window, "滑块条_大小");
    auto *colour = control<QSlider>(*window, "滑块条_颜色");
    size->setValue(47); // a drag between steps lands on the nearest step
    EXPECT_EQ(size->value(), 50);
    EXPECT_EQ(label(*window, "标签_大小"), QStringLiteral("窗口模式1680×1050"));
    EXPECT_EQ(window->currentValues().windowSize, "1680×1050");
    colour->setValue(30);
    EXPECT_EQ(label(*window, "标签_颜色"), QStringLiteral("监视器24位真彩色"));
    colour->setValue(0);
    EXPECT_EQ(label(*window, "标签_颜色"), QStringLiteral("监视器4位颜色"));
    EXPECT_EQ(window->currentValues().colorDepth, "4");
    size->setValue(60);
    EXPECT_TRUE(radio(*window, "单选框_全屏模式")->isChecked());
    EXPECT_EQ(window->currentValues().windowSize, "1680×1050"); // unchanged at full screen
}

TEST_F(RemoteSettingsWindowTest, MappingAndSmartCardGoTogether)
{
    writeIni(config, "RDP", "本地驱动器", "/data;");
    auto window = open();
    // Checking the smart card alone turns mapping on and fills the list.
    box(*window, "选择框_智能卡")->click();
    EXPECT_TRUE(box(*window, "选择框_映射")->isChecked());
    EXPECT_TRUE(driveList(*window)->isEnabled());
    EXPECT_EQ(marks(*window), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("远程智能卡被开启!"));

    box(*window, "选择框_映射")->click();
    EXPECT_FALSE(box(*window, "选择框_智能卡")->isChecked());
    EXPECT_FALSE(driveList(*window)->isEnabled());
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("磁盘映射被关闭!"));
    EXPECT_EQ(window->currentValues().localDrives, "");
    EXPECT_EQ(window->currentValues().smartCards, "0");

    // Turning it on again gives the same rows and marks.
    box(*window, "选择框_映射")->click();
    EXPECT_EQ(driveList(*window)->topLevelItemCount(), 3);
    EXPECT_EQ(marks(*window), (std::vector<bool>{false, true, false}));
    EXPECT_EQ(window->balloon()->last(), QStringLiteral("磁盘映射被开启,请在安全环境使用!"));

    driveList(*window)->topLevelItem(0)->setCheckState(0, Qt::Checked);
    window->close();
    EXPECT_EQ(stored("本地驱动器"), "/;/data;");
    EXPECT_EQ(stored("磁盘映射"), "1");
    EXPECT_EQ(stored("智能卡"), "1");
}

TEST_F(RemoteSettingsWindowTest, MappingWithoutCheckedDrivesOrWithoutDrives)
{
    drives.clear();
    auto window = open();
    box(*window, "选择框_映射")->click();
    EXPECT_TRUE(window->balloon()->shown().contains(QStringLiteral("磁盘列表为空!")));
    window->close();
    EXPECT_EQ(stored("磁盘映射"), "1");
    EXPECT_EQ(stored("本地驱动器"), "");
}

TEST_F(RemoteSettingsWindowTest, EveryClickIsConfirmedByItsOwnMessage)
{
    auto window = open();
    struct Case
    {
        const char *name, *first, *second;
    };
    // Each box's own new state picks the message, whatever the other boxes say.
    const Case boxes[] = {
        {"选择框_桌面主题", "远程桌面主题被开启!", "远程磁桌面主题关闭!"},
        {"选择框_剪贴板", "远程剪贴板被关闭!", "远程剪贴板开启!"},
        {"选择框_打印机", "远程打印机被开启!", "远程打印机被关闭!"},
        {"选择框_串行口", "远程串行口被开启!", "远程串行口被关闭!"},
        {"选择框_PnP设备", "远程PnP设备被开启!", "远程PnP设备被关闭!"},
        {"选择框_重连", "远程断开重连被关闭!", "远程断开重连被开启!"},
        {"选择框_压缩", "远程屏幕压缩被关闭!", "远程屏幕压缩被开启!"},
        {"选择框_全屏连接栏", "远程全屏连接栏被关闭!", "远程全屏连接栏被开启!"},
        {"选择框_桌面背景", "远程桌面背景被关闭!", "远程桌面背景开启!"},
        {"选择框_录音", "远程录音被开启!", "远程录音被关闭!"},
    };
    for (const Case &c : boxes) {
        box(*window, c.name)->click();
        EXPECT_EQ(window->balloon()->last(), QString::fromUtf8(c.first)) << c.name;
        box(*window, c.name)->click();
        EXPECT_EQ(window->balloon()->last(), QString::fromUtf8(c.second)) << c.name;
    }
    const std::pair<const char *, const char *> radios[] = {
        {"单选框_本地组键", "本地组合键被开启!"},
        {"单选框_远程组键", "远程组合键被开启!"},
        {"单选框_全屏组键", "全屏组合键被开启!"},
        {"单选框_客户声音", "在客户机播放声音被开启!"},
        {"单选框_本机声音", "在本机播放声音被开启!"},
        {"单选框_无声音", "远程播放声音被关闭!"},
        {"单选框_admin", "远程强制连接admin被开启!"},
        {"单选框_console", "远程强制连接console被开启!"},
        {"单选框_无强制", "远程强制连接被开启!"},
    };
    for (const auto &[name, message] : radios) {
        radio(*window, name)->click();
        EXPECT_EQ(window->balloon()->last(), QString::fromUtf8(message)) << name;
    }
    radio(*window, "单选框_console")->click();
    window->close();
    EXPECT_EQ(stored("强制模式"), "1");
    EXPECT_EQ(stored("音频播放"), "2");
    EXPECT_EQ(stored("组合键"), "2");
}
