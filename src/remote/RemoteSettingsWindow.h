#pragma once

#include "platform/DriveList.h"
#include "remote/RemoteDesktopSettings.h"

#include <QDialog>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSlider;
class QTreeWidget;

namespace cloud {

class SettingsBalloon;

// "功能设置": the remote desktop options. Shows the stored choices when it opens,
// confirms every click with a tip at the mouse pointer, and stores every choice
// when it closes, however it is closed (there is no cancel).
class RemoteSettingsWindow : public QDialog
{
    Q_OBJECT
public:
    using DriveSource = std::function<std::vector<DriveEntry>()>;

    static constexpr int kWidth = 468;
    static constexpr int kHeight = 431;

    // `configFile` is config.ini; `drives` lists this machine's drives.
    RemoteSettingsWindow(std::string configFile, DriveSource drives, QWidget *parent = nullptr);

    // What closing the window would store now.
    RemoteDesktopSettings currentValues() const;

    // Clears the drive list and fills it anew, checking the drives stored in 本地驱动器.
    void fillDriveList();

    SettingsBalloon *balloon() const { return m_balloon; }

    void done(int result) override;

private:
    struct FlagBox
    {
        QCheckBox *box;
        std::string RemoteDesktopSettings::*value;
        QString checkedText;
        QString uncheckedText;
    };
    struct Choice
    {
        QRadioButton *radio;
        std::string RemoteDesktopSettings::*value;
        std::string text;
    };

    void buildLayout();
    QGroupBox *buildDisplayGroup();
    QGroupBox *buildResourceGroup();
    QGroupBox *buildChoiceGroup(const QString &name, const QString &title,
                                std::string RemoteDesktopSettings::*value,
                                const std::vector<std::array<QString, 4>> &radios);
    QCheckBox *addFlagBox(QWidget *parent, const QString &name, const QString &caption,
                          std::string RemoteDesktopSettings::*value, const QString &checkedText,
                          const QString &uncheckedText);
    QSlider *makeSlider(QWidget *parent, const QString &name, int maximum);

    void connectControls();
    void applyWindowMode(const RemoteDesktopSettings &values);
    void applyValues(const RemoteDesktopSettings &values, bool fillDrives);
    void applyFlag(QCheckBox *box, const std::string &value);
    void setDriveMapping(bool on);

    void sizeSliderMoved();
    void colourSliderMoved();
    void windowModeClicked();
    void fullScreenClicked();
    void couplingClicked(bool checked, const QString &onText, const QString &offText);
    std::string driveSelection() const;

    std::string m_configFile;
    DriveSource m_drives;
    std::vector<DriveEntry> m_listed;
    SettingsBalloon *m_balloon = nullptr;
    std::string m_sizeValue;
    std::string m_colourValue;

    QRadioButton *m_windowRadio = nullptr;
    QRadioButton *m_fullScreenRadio = nullptr;
    QSlider *m_colourSlider = nullptr;
    QLabel *m_colourLabel = nullptr;
    QSlider *m_sizeSlider = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QTreeWidget *m_driveList = nullptr;
    QCheckBox *m_mappingBox = nullptr;
    QCheckBox *m_smartCardBox = nullptr;
    std::vector<FlagBox> m_flags;
    std::vector<Choice> m_choices;
};

} // namespace cloud
