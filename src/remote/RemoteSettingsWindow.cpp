#include "remote/RemoteSettingsWindow.h"

#include "app/IniFile.h"
#include "remote/SettingsBalloon.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <array>

namespace cloud {

namespace {

using S = RemoteDesktopSettings;

constexpr int kSizeMaximum = 60;
constexpr int kStep = 10;

// Size slider positions 0, 10, ... 50; position 60 is full screen.
const std::array<const char *, 6> kSizes = {"800×600",   "1024×768", "1280×800",
                                            "1280×1024", "1440×900", "1680×1050"};

struct Colour
{
    const char *value;
    const char *label;
};
// Colour slider positions 0, 10, ... 40.
const std::array<Colour, 5> kColours = {{{"4", "监视器4位颜色"},
                                         {"8", "监视器8位颜色"},
                                         {"16", "监视器16位颜色"},
                                         {"24", "监视器24位真彩色"},
                                         {"32", "监视器32位真彩色"}}};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString text(const std::string &utf8)
{
    return QString::fromStdString(utf8);
}

template <typename Table, typename Match> int positionOf(const Table &table, Match match)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (match(table[i]))
            return static_cast<int>(i) * kStep;
    }
    return -1;
}

int sizePosition(const std::string &size)
{
    return positionOf(kSizes, [&](const char *s) { return size == s; });
}

int colourPosition(const std::string &colour)
{
    return positionOf(kColours, [&](const Colour &c) { return colour == c.value; });
}

// Keeps the slider on its steps when it is dragged; a snapped value comes back here.
bool snapToStep(QSlider *slider)
{
    const int snapped = (slider->value() + kStep / 2) / kStep * kStep;
    if (snapped == slider->value())
        return false;
    slider->setValue(snapped);
    return true;
}

// The window has a fixed size; its groups keep their rows close together.
template <typename Layout> Layout *compact(Layout *layout)
{
    layout->setContentsMargins(8, 4, 8, 6);
    layout->setSpacing(3);
    return layout;
}

} // namespace

RemoteSettingsWindow::RemoteSettingsWindow(std::string configFile, DriveSource drives,
                                           QWidget *parent)
    : QDialog(parent), m_configFile(std::move(configFile)), m_drives(std::move(drives)),
      m_balloon(new SettingsBalloon(this)), m_sizeValue(kSizes[0]), m_colourValue("32")
{
    setObjectName(QStringLiteral("RemoteSettingsWindow"));
    setWindowTitle(QStringLiteral("功能设置"));
    setFixedSize(kWidth, kHeight);
    buildLayout();
    connectControls();
    applyValues(S::designDefaults(), false);

    m_balloon->show(QStringLiteral("系统设置"));
    if (const std::optional<S> stored = loadStoredRemoteSettings(m_configFile)) {
        // A size stored with full screen is kept, so that closing does not lose it.
        if (sizePosition(stored->windowSize) >= 0)
            m_sizeValue = stored->windowSize;
        applyValues(*stored, true);
    }
    colourSliderMoved();
    sizeSliderMoved();
}

void RemoteSettingsWindow::buildLayout()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(10, 4, 10, 8);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(4);
    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(buildDisplayGroup());
    left->addWidget(buildChoiceGroup(
        QStringLiteral("分组框3"), QStringLiteral("远程桌面强制登录选项"), &S::sessionMode,
        {{QStringLiteral("单选框_admin"), QStringLiteral("WinXP2以上"), QStringLiteral("0"),
          QStringLiteral("远程强制连接admin被开启!")},
         {QStringLiteral("单选框_console"), QStringLiteral("WinXP2以下"), QStringLiteral("1"),
          QStringLiteral("远程强制连接console被开启!")},
         {QStringLiteral("单选框_无强制"), QStringLiteral("不使用"), QStringLiteral("2"),
          QStringLiteral("远程强制连接被开启!")}}));
    grid->addLayout(left, 0, 0);
    grid->addWidget(buildResourceGroup(), 0, 1);
    grid->addWidget(
        buildChoiceGroup(
            QStringLiteral("分组框4"), QStringLiteral("远程音频播放选项"), &S::audioPlayback,
            {{QStringLiteral("单选框_客户声音"), QStringLiteral("在客户端计算机上播放声音"),
              QStringLiteral("0"), QStringLiteral("在客户机播放声音被开启!")},
             {QStringLiteral("单选框_本机声音"), QStringLiteral("在主计算机上播放声音"),
              QStringLiteral("1"), QStringLiteral("在本机播放声音被开启!")},
             {QStringLiteral("单选框_无声音"), QStringLiteral("不播放声音"), QStringLiteral("2"),
              QStringLiteral("远程播放声音被关闭!")}}),
        1, 0);
    grid->addWidget(
        buildChoiceGroup(QStringLiteral("分组框5"), QStringLiteral("远程Windows 组合键"),
                         &S::keyboardHook,
                         {{QStringLiteral("单选框_本地组键"), QStringLiteral("在本地计算机上应用"),
                           QStringLiteral("0"), QStringLiteral("本地组合键被开启!")},
                          {QStringLiteral("单选框_远程组键"), QStringLiteral("在远程计算机上应用"),
                           QStringLiteral("1"), QStringLiteral("远程组合键被开启!")},
                          {QStringLiteral("单选框_全屏组键"), QStringLiteral("只在全屏模式下应用"),
                           QStringLiteral("2"), QStringLiteral("全屏组合键被开启!")}}),
        1, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);
}

QSlider *RemoteSettingsWindow::makeSlider(QWidget *parent, const QString &name, int maximum)
{
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(name);
    slider->setRange(0, maximum);
    slider->setSingleStep(kStep);
    slider->setPageStep(kStep);
    slider->setTickInterval(kStep);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

QGroupBox *RemoteSettingsWindow::buildDisplayGroup()
{
    auto *group = new QGroupBox(QStringLiteral("显示选项"), this);
    group->setObjectName(QStringLiteral("分组框1"));
    auto *layout = compact(new QGridLayout(group));
    m_windowRadio = new QRadioButton(QStringLiteral("窗口模式"), group);
    m_windowRadio->setObjectName(QStringLiteral("单选框_窗口模式"));
    m_fullScreenRadio = new QRadioButton(QStringLiteral("全屏模式"), group);
    m_fullScreenRadio->setObjectName(QStringLiteral("单选框_全屏模式"));
    m_sizeLabel = new QLabel(group);
    m_sizeLabel->setObjectName(QStringLiteral("标签_大小"));
    m_sizeSlider = makeSlider(group, QStringLiteral("滑块条_大小"), kSizeMaximum);
    m_colourLabel = new QLabel(group);
    m_colourLabel->setObjectName(QStringLiteral("标签_颜色"));
    m_colourSlider = makeSlider(group, QStringLiteral("滑块条_颜色"),
                                static_cast<int>(kColours.size() - 1) * kStep);
    layout->addWidget(m_windowRadio, 0, 0);
    layout->addWidget(m_fullScreenRadio, 0, 1);
    layout->addWidget(m_sizeLabel, 1, 0, 1, 2);
    layout->addWidget(m_sizeSlider, 2, 0, 1, 2);
    layout->addWidget(m_colourLabel, 3, 0, 1, 2);
    layout->addWidget(m_colourSlider, 4, 0, 1, 2);
    addFlagBox(group, QStringLiteral("选择框_全屏连接栏"), QStringLiteral("显示全屏连接栏"),
               &S::connectionBar, QStringLiteral("远程全屏连接栏被开启!"),
               QStringLiteral("远程全屏连接栏被关闭!"));
    layout->addWidget(m_flags.back().box, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);
    return group;
}

QGroupBox *RemoteSettingsWindow::buildResourceGroup()
{
    auto *group = new QGroupBox(QStringLiteral("本地资源"), this);
    group->setObjectName(QStringLiteral("分组框2"));
    auto *layout = compact(new QGridLayout(group));
    m_driveList = new QTreeWidget(group);
    m_driveList->setObjectName(QStringLiteral("超级列表框_磁盘"));
    m_driveList->setHeaderLabels(
        {QStringLiteral("盘符"), QStringLiteral("卷标"), QStringLiteral("类型")});
    m_driveList->setRootIsDecorated(false);
    m_driveList->setUniformRowHeights(true);
    m_driveList->setColumnWidth(0, 95);
    m_driveList->setColumnWidth(1, 60);
    m_driveList->setColumnWidth(2, 40);
    m_driveList->setMinimumHeight(60);
    layout->addWidget(m_driveList, 0, 0, 1, 2);
    layout->setRowStretch(0, 1);

    m_mappingBox = new QCheckBox(QStringLiteral("磁盘映射"), group);
    m_mappingBox->setObjectName(QStringLiteral("选择框_映射"));
    m_smartCardBox = new QCheckBox(QStringLiteral("智能卡"), group);
    m_smartCardBox->setObjectName(QStringLiteral("选择框_智能卡"));
    layout->addWidget(m_mappingBox, 1, 0);
    layout->addWidget(m_smartCardBox, 1, 1);

    const std::array<std::array<QString, 4>, 8> boxes = {{
        {QStringLiteral("选择框_剪贴板"), QStringLiteral("剪贴板"),
         QStringLiteral("远程剪贴板开启!"), QStringLiteral("远程剪贴板被关闭!")},
        {QStringLiteral("选择框_打印机"), QStringLiteral("打印机"),
         QStringLiteral("远程打印机被开启!"), QStringLiteral("远程打印机被关闭!")},
        {QStringLiteral("选择框_串行口"), QStringLiteral("串行口"),
         QStringLiteral("远程串行口被开启!"), QStringLiteral("远程串行口被关闭!")},
        {QStringLiteral("选择框_PnP设备"), QStringLiteral("PnP设备"),
         QStringLiteral("远程PnP设备被开启!"), QStringLiteral("远程PnP设备被关闭!")},
        {QStringLiteral("选择框_重连"), QStringLiteral("断开重连"),
         QStringLiteral("远程断开重连被开启!"), QStringLiteral("远程断开重连被关闭!")},
        {QStringLiteral("选择框_压缩"), QStringLiteral("屏幕压缩"),
         QStringLiteral("远程屏幕压缩被开启!"), QStringLiteral("远程屏幕压缩被关闭!")},
        {QStringLiteral("选择框_桌面背景"), QStringLiteral("显示桌面背景"),
         QStringLiteral("远程桌面背景开启!"), QStringLiteral("远程桌面背景被关闭!")},
        {QStringLiteral("选择框_桌面主题"), QStringLiteral("显示桌面主题"),
         QStringLiteral("远程桌面主题被开启!"), QStringLiteral("远程磁桌面主题关闭!")},
    }};
    const std::array<std::string S::*, 8> values = {&S::clipboard,  &S::printers,  &S::serialPorts,
                                                    &S::pnpDevices, &S::reconnect, &S::compression,
                                                    &S::wallpaper,  &S::themes};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        QCheckBox *box =
            addFlagBox(group, boxes[i][0], boxes[i][1], values[i], boxes[i][2], boxes[i][3]);
        layout->addWidget(box, 2 + static_cast<int>(i) / 2, static_cast<int>(i) % 2);
    }
    return group;
}

QGroupBox *RemoteSettingsWindow::buildChoiceGroup(const QString &name, const QString &title,
                                                  std::string RemoteDesktopSettings::*value,
                                                  const std::vector<std::array<QString, 4>> &radios)
{
    auto *group = new QGroupBox(title, this);
    group->setObjectName(name);
    // The short login options sit two to a row; the others one to a row.
    const int columns = value == &S::sessionMode ? 2 : 1;
    auto *layout = compact(new QGridLayout(group));
    for (int index = 0; index < static_cast<int>(radios.size()); ++index) {
        const std::array<QString, 4> &entry = radios[static_cast<std::size_t>(index)];
        auto *radio = new QRadioButton(entry[1], group);
        radio->setObjectName(entry[0]);
        layout->addWidget(radio, index / columns, index % columns);
        m_choices.push_back({radio, value, entry[2].toStdString()});
        const QString message = entry[3];
        connect(radio, &QRadioButton::clicked, this, [this, radio, message] {
            if (radio->isChecked())
                m_balloon->show(message);
        });
    }
    if (value == &S::audioPlayback) {
        addFlagBox(group, QStringLiteral("选择框_录音"), QStringLiteral("录制远程声音"),
                   &S::audioCapture, QStringLiteral("远程录音被开启!"),
                   QStringLiteral("远程录音被关闭!"));
        layout->addWidget(m_flags.back().box, layout->rowCount(), 0);
    }
    layout->setRowStretch(layout->rowCount(), 1);
    return group;
}

QCheckBox *RemoteSettingsWindow::addFlagBox(QWidget *parent, const QString &name,
                                            const QString &caption,
                                            std::string RemoteDesktopSettings::*value,
                                            const QString &checkedText,
                                            const QString &uncheckedText)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    m_flags.push_back({box, value, checkedText, uncheckedText});
    connect(box, &QCheckBox::clicked, this, [this, checkedText, uncheckedText](bool checked) {
        m_balloon->show(checked ? checkedText : uncheckedText);
    });
    return box;
}

void RemoteSettingsWindow::connectControls()
{
    connect(m_sizeSlider, &QSlider::valueChanged, this, &RemoteSettingsWindow::sizeSliderMoved);
    connect(m_colourSlider, &QSlider::valueChanged, this, &RemoteSettingsWindow::colourSliderMoved);
    connect(m_windowRadio, &QRadioButton::clicked, this, &RemoteSettingsWindow::windowModeClicked);
    connect(m_fullScreenRadio, &QRadioButton::clicked, this,
            &RemoteSettingsWindow::fullScreenClicked);
    connect(m_mappingBox, &QCheckBox::clicked, this, [this](bool checked) {
        couplingClicked(checked, QStringLiteral("磁盘映射被开启,请在安全环境使用!"),
                        QStringLiteral("磁盘映射被关闭!"));
    });
    connect(m_smartCardBox, &QCheckBox::clicked, this, [this](bool checked) {
        couplingClicked(checked, QStringLiteral("远程智能卡被开启!"),
                        QStringLiteral("远程智能卡被关闭!"));
    });
}

void RemoteSettingsWindow::sizeSliderMoved()
{
    if (snapToStep(m_sizeSlider))
        return;
    const int position = m_sizeSlider->value();
    if (position >= kSizeMaximum) {
        m_sizeLabel->setText(QStringLiteral("全屏模式"));
        m_fullScreenRadio->setChecked(true);
        return;
    }
    m_sizeValue = kSizes[static_cast<std::size_t>(position / kStep)];
    m_sizeLabel->setText(QStringLiteral("窗口模式") + text(m_sizeValue));
    m_windowRadio->setChecked(true);
}

void RemoteSettingsWindow::colourSliderMoved()
{
    if (snapToStep(m_colourSlider))
        return;
    const Colour &colour = kColours[static_cast<std::size_t>(m_colourSlider->value() / kStep)];
    m_colourValue = colour.value;
    m_colourLabel->setText(text(colour.label));
}

void RemoteSettingsWindow::windowModeClicked()
{
    const int position = sizePosition(readIni(m_configFile, "RDP", "窗口数据"));
    if (position >= 0)
        m_sizeSlider->setValue(position);
    sizeSliderMoved();
    m_balloon->show(QStringLiteral("远程窗口模式被开启"));
}

void RemoteSettingsWindow::fullScreenClicked()
{
    m_sizeSlider->setValue(kSizeMaximum);
    m_sizeLabel->setText(QStringLiteral("全屏模式"));
    m_balloon->show(QStringLiteral("远程全屏模式被开启"));
}

void RemoteSettingsWindow::couplingClicked(bool checked, const QString &onText,
                                           const QString &offText)
{
    m_mappingBox->setChecked(checked);
    m_smartCardBox->setChecked(checked);
    setDriveMapping(checked);
    if (checked)
        fillDriveList();
    m_balloon->show(checked ? onText : offText);
}

void RemoteSettingsWindow::setDriveMapping(bool on)
{
    m_mappingBox->setChecked(on);
    m_driveList->setEnabled(on);
}

void RemoteSettingsWindow::fillDriveList()
{
    m_driveList->clear();
    m_listed = m_drives ? m_drives() : std::vector<DriveEntry>();
    if (m_listed.empty()) {
        m_balloon->show(QStringLiteral("磁盘列表为空!"));
        return;
    }
    const std::vector<bool> checked =
        DriveList::checkedRows(m_listed, readIni(m_configFile, "RDP", "本地驱动器"));
    for (std::size_t i = 0; i < m_listed.size(); ++i) {
        const DriveEntry &drive = m_listed[i];
        auto *item = new QTreeWidgetItem(
            m_driveList, {text(drive.name), text(drive.label), text(drive.fileSystem)});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, checked[i] ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(0, text(drive.name));
    }
}

void RemoteSettingsWindow::applyFlag(QCheckBox *box, const std::string &value)
{
    if (value == "1" || value == "0")
        box->setChecked(value == "1");
}

void RemoteSettingsWindow::applyWindowMode(const RemoteDesktopSettings &values)
{
    if (values.windowMode == "1") {
        m_windowRadio->setChecked(true);
        const int position = sizePosition(values.windowSize);
        if (position >= 0)
            m_sizeSlider->setValue(position);
    } else if (values.windowMode == "0") {
        m_fullScreenRadio->setChecked(true);
        m_sizeSlider->setValue(kSizeMaximum);
    }
}

void RemoteSettingsWindow::applyValues(const RemoteDesktopSettings &values, bool fillDrives)
{
    applyWindowMode(values);
    if (const int position = colourPosition(values.colorDepth); position >= 0)
        m_colourSlider->setValue(position);
    for (const Choice &choice : m_choices) {
        if (values.*choice.value == choice.text)
            choice.radio->setChecked(true);
    }
    if (values.driveMapping == "1" || values.driveMapping == "0")
        setDriveMapping(values.driveMapping == "1");
    if (fillDrives)
        fillDriveList();
    applyFlag(m_smartCardBox, values.smartCards);
    for (const FlagBox &flag : m_flags)
        applyFlag(flag.box, values.*flag.value);
}

std::string RemoteSettingsWindow::driveSelection() const
{
    std::vector<bool> checked;
    for (int i = 0; i < m_driveList->topLevelItemCount(); ++i)
        checked.push_back(m_driveList->topLevelItem(i)->checkState(0) == Qt::Checked);
    return DriveList::selectionText(m_listed, checked);
}

RemoteDesktopSettings RemoteSettingsWindow::currentValues() const
{
    RemoteDesktopSettings values;
    values.windowMode = m_fullScreenRadio->isChecked() ? "0" : "1";
    values.windowSize = m_sizeValue;
    values.colorDepth = m_colourValue;
    const bool mapping = m_mappingBox->isChecked();
    values.driveMapping = mapping ? "1" : "0";
    values.smartCards = values.driveMapping;
    values.localDrives = mapping ? driveSelection() : std::string();
    for (const FlagBox &flag : m_flags)
        values.*flag.value = flag.box->isChecked() ? "1" : "0";
    for (const Choice &choice : m_choices) {
        if (choice.radio->isChecked())
            values.*choice.value = choice.text;
    }
    return values;
}

void RemoteSettingsWindow::done(int result)
{
    // Failing writes are not reported: the stored file keeps what it had.
    saveRemoteSettings(m_configFile, currentValues());
    m_balloon->show(QStringLiteral("系统配置修改成功!"));
    QDialog::done(result);
}

} // namespace cloud
