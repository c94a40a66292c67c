#include "app/SettingsEffects.h"

#include "app/MainMenuScreen.h"
#include "app/MediaChoiceScreen.h"
#include "app/OptionsScreen.h"
#include "core/ColourScheme.h"
#include "gps/RadarScreen.h"
#include "log/DriversLog.h"
#include "log/DriversLogScreen.h"
#include "media/Mp3Directory.h"
#include "media/NowPlaying.h"
#include "media/NowPlayingScreen.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListScreen.h"

#include <QCheckBox>
#include <QLabel>

void SettingsEffects::loadFixedPictures()
{
    m_s.mediaChoice.loadPictures(m_s.programDir + "audio.jpg", m_s.programDir + "video.jpg");
    m_s.radar.loadAlertPicture(m_s.programDir + "alert.jpg");
}

void SettingsEffects::showMainScreenImage(const QString &path) { m_s.mainScreen.loadPicture(path); }

void SettingsEffects::addDriversLogLine(const QString &line) { m_s.logScreen.addLogLine(line); }

QString SettingsEffects::lastDriversLogLine() const
{
    const QStringList &lines = m_s.logScreen.lines();
    return lines.isEmpty() ? QString() : lines.last();
}

bool SettingsEffects::pointMediaLists(const QString &mp3Dir, const QString &movieDir)
{
    if (!m_s.mp3.MP3Listbox().setDirectory(mp3Dir))
        return false;
    m_s.videos.VideoListBox().setDirectory(movieDir);
    return true;
}

void SettingsEffects::changecolors() { m_s.colours.changecolors(); }

void SettingsEffects::showRadarSystem(bool on)
{
    m_s.radar.CheckBox2->setChecked(on);
    m_s.radar.CheckBox2Click();
}

void SettingsEffects::showPrivateMode() { m_s.logbook.showPrivateMode(); }

void SettingsEffects::showOdometer(double km) { m_s.logbook.showOdometer(km); }

void SettingsEffects::showMousePointer(bool shown)
{
    if (shown)
        m_s.window.unsetCursor();
    else
        m_s.window.setCursor(Qt::BlankCursor);
    // The screens' mouse targets are for a pointer that can be seen.
    m_s.mp3.showMouseTargets(shown);
    m_s.nowPlaying.screen()->showMouseTargets(shown);
}

bool SettingsEffects::loadNowPlayingBackground(const QString &path)
{
    if (!m_s.nowPlaying.setDefaultPicture(path))
        return false;
    m_s.options.Mp3BitmapThumb->setPixmap(m_s.nowPlaying.defaultPicture());
    return true;
}
