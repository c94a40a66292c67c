#pragma once

#include "app/MainImageChooser.h"

#include <QString>

#include <functional>

class Configuration;
class DriversLogScreen;
class MainMenuScreen;
class MapScreen;
class Navigator;
class OptionsScreen;
class QWidget;
class SelectionMarker;
class SettingsModel;
struct SharedValues;

// What the main menu's entries and the options screen's buttons do: the drivers log (with
// its map made the first time), the POI screen, the options and the way back from them
// with a save, and the main screen's picture.
class ScreenActions {
public:
    struct Parts {
        QWidget &window;
        Navigator &navigator;
        SharedValues &shared;
        SettingsModel &settings;
        Configuration &configuration;
        SelectionMarker &marker;
        MainMenuScreen &mainScreen;
        OptionsScreen &options;
        DriversLogScreen &logScreen;
        MapScreen &mapScreen;
        QString programDir; // the main screen's pictures
        std::function<void()> exit;
    };

    explicit ScreenActions(Parts parts);

    void onMainMenuEntry(int entry);
    void ComandPanelTopRightClick();   // Drivers log
    void ComandPanelBottomLeftClick(); // POI
    void Main4Click();                 // Options
    void BitBtn1Click();               // back from the options with a save
    void Button21Click();              // next main screen image
    void Button22Click();              // previous main screen image
    void Image1Click();

private:
    void showMainImage(const QString &path);

    Parts m_p;
    MainImageChooser m_mainImages;
};
