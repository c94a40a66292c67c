#pragma once

#include <QString>

// The effects of loading the settings outside the options screen: pictures, lists and
// labels of other screens and the mouse pointer.
class SettingsHost {
public:
    virtual ~SettingsHost() = default;

    // "audio.jpg", "video.jpg" and "alert.jpg" of the program directory.
    virtual void loadFixedPictures() = 0;
    virtual void showMainScreenImage(const QString &path) = 0;
    virtual void addDriversLogLine(const QString &line) = 0;
    // Empty when the drivers-log list is empty.
    virtual QString lastDriversLogLine() const = 0;
    // False when the MP3 directory can't be opened; the movie directory is then not
    // applied either.
    virtual bool pointMediaLists(const QString &mp3Dir, const QString &movieDir) = 0;
    virtual void changecolors() = 0;
    // The warning switch was read: check box, "On"/"Off" label and "POI" indicator.
    virtual void showRadarSystem(bool on) = 0;
    // The drivers-log mode is private: its caption and the status-line indicator.
    virtual void showPrivateMode() = 0;
    virtual void showOdometer(double km) = 0;
    virtual void showMousePointer(bool shown) = 0;
    // The now-playing background and its spare copy; false when it can't be loaded.
    virtual bool loadNowPlayingBackground(const QString &path) = 0;
};
