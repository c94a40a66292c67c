#pragma once

#include <QString>

#include <functional>

class OptionsScreen;
class PathChooser;

// The "Pick a directory" and "Pick a BMP" buttons of the options page "Dirs & Images".
// A choice goes into its field and takes effect at once; it is saved with the next save
// of the settings, like every other option.
class OptionsPickers {
public:
    struct Actions {
        std::function<bool(const QString &)> pointMp3List;
        std::function<bool(const QString &)> pointVideoList;
        std::function<bool(const QString &)> loadNowPlayingBackground;
    };

    OptionsPickers(OptionsScreen &options, PathChooser &chooser, Actions actions);

    void Button13Click(); // MP3 path
    void Button14Click(); // movie path
    void Button15Click(); // now-playing background picture
    void Button26Click(); // second drivers-log directory

    // The Windows filter "Bitmaps|*.bmp" in Qt's form; Linux names are case-sensitive.
    static QString bitmapFilter() { return QStringLiteral("Bitmaps (*.bmp *.BMP)"); }

private:
    OptionsScreen &m_options;
    PathChooser &m_chooser;
    Actions m_actions;
};
