#pragma once

#include "core/Settings.h"
#include "widgets/BoundedMemo.h"

#include <QWidget>

#include <array>

class ColourSwatch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QTabWidget;
class RadioGroup;
class SettingsModel;
class TurnKnob;

// The options notebook (screen 3) with its eight pages. Once it edits a settings model,
// its fields, check boxes, choices and swatches show the model's values and write every
// change into it.
class OptionsScreen : public QWidget {
    Q_OBJECT
public:
    enum Page { Sys, ScreenPage, DirsImages, Griffin, Exit, Color, StartComSound, Can, PageCount };

    explicit OptionsScreen(QWidget *parent = nullptr);

    // Shows the model's values from now on and writes the controls' changes into it.
    void edit(SettingsModel &settings);

    int page() const;
    void setPage(int page);
    // C on the options screen: the next page, from the last back to the first.
    void nextPage();

    // The system messages hold this much text at most (the supervisor alone adds a line
    // every 15 s while the CAN2COM adapter is missing).
    static constexpr qsizetype SysMemoCapacity = BoundedMemo::DefaultCapacity;
    void appendSysMessage(const QString &line);
    QStringList sysMessages() const;

    // The page "CAN" is filled by the CAN link.
    QWidget *canPage() const { return m_canPage; }
    QTabWidget *notebook() const { return m_notebook; }

    // "Sys"
    QPlainTextEdit *SysMemo = nullptr;
    QCheckBox *MouseEnabledBox = nullptr;
    // "Screen": brightness 0..256, 128 standard
    QSlider *Knob1 = nullptr;
    QLabel *Knob1Label = nullptr;
    TurnKnob *Knob1Picture = nullptr;        // points at the position minus 128
    RadioGroup *NightSourceChoice = nullptr; // in the order of NightSwitch::Source
    // "Dirs & Images"
    QLineEdit *Mp3BitmapEdit = nullptr;
    QLineEdit *Mp3PathEdit = nullptr;
    QLineEdit *MoviePathEdit = nullptr;
    QLineEdit *LogPathEdit = nullptr;
    QLabel *Mp3BitmapThumb = nullptr;
    QPushButton *Button13 = nullptr; // pick MP3 directory
    QPushButton *Button14 = nullptr; // pick movie directory
    QPushButton *Button15 = nullptr; // pick a BMP
    QPushButton *Button26 = nullptr; // pick drivers-log directory
    QPushButton *ReturnButton = nullptr;
    // "Exit"
    RadioGroup *RadioGroup1 = nullptr;
    // "Color"
    std::array<ColourSwatch *, 10> cpx{};
    RadioGroup *MainColourChoice = nullptr; // index 0..9 is choice 1..10
    // "Start, COM & Sound"
    QLineEdit *MainImageEdit = nullptr;
    QLabel *MainImageThumb = nullptr;
    QPushButton *Button21 = nullptr;   // next main image
    QPushButton *Button22 = nullptr;   // previous main image
    RadioGroup *RadioGroup3 = nullptr; // GPS port
    QCheckBox *GPSMouseEnabledBox = nullptr;
    RadioGroup *RadioGroup4 = nullptr; // CAN2COM port
    QCheckBox *CAN2COMEnabledBox = nullptr;
    QLineEdit *Edit9 = nullptr; // alarm sound

    static constexpr std::array<quint32, 10> SwatchDefaults = Settings::SwatchDefaults;

private:
    void showSetting(const Settings &values, Settings::Key key);
    void showNightSource(const Settings &values);
    QWidget *buildSys();
    QWidget *buildScreen();
    QWidget *buildDirs();
    QWidget *buildGriffin();
    QWidget *buildExit();
    QWidget *buildColor();
    QWidget *buildStart();
    QWidget *buildCan();

    QTabWidget *m_notebook;
    QWidget *m_canPage = nullptr;
};
