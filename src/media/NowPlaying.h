#pragma once

#include "core/KeyContext.h"
#include "media/BitRateProbe.h"
#include "media/CoverProbe.h"
#include "media/Mp3Playback.h"
#include "media/TRandomFile.h"

#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <QTimer>

#include <functional>

class AudioPlayer;
class ColourScheme;
class Favourites;
class Mp3Directory;
class Mp3OptionsPanel;
class NowPlayingScreen;
class ScreenHost;
class SelectionMarker;

// MP3 playback and the now-playing screen: starting tracks, the display update that
// polls the player once a second and moves on at the end of a track (in list order or at
// random), skipping within a track and between tracks, pause, stop, the random switch,
// the options panel's actions and the cover picture.
class NowPlaying : public QObject, public Mp3Playback, public KeyContext {
    Q_OBJECT
public:
    static constexpr int UpdateMs = 1000;
    static constexpr int SwitchMs = 300;
    static constexpr qint64 SkipMs = 10000;
    static constexpr int NextAttempts = 50;
    static inline const QString NoMusic = QStringLiteral("No Music playing");
    static inline const QString NotPlaying = QStringLiteral("No MP3 file playing...");
    static inline const QString NotSelected = QStringLiteral("No MP3 file selected");

    struct Parts {
        ScreenHost &screens;
        SelectionMarker &marker;
        Mp3Directory &list;
        AudioPlayer &player;
        QString programDir;               // ends with "/"; the star pictures are below it
        std::function<QString()> mp3Path; // the configured MP3 path
    };

    // The screen's controls go on page.
    NowPlaying(Parts parts, QWidget *page);
    ~NowPlaying() override;

    // What the MP3 list asks of playback.
    void ShowBitRate(const QString &path) override;
    void PlayMP3File(const QString &path, bool switchToNowPlaying) override;
    void setRandomRoot(const QString &directory) override { m_randomRoot = directory; }
    void EnableRandomToggle() override;
    void PlayRandomTrack() override;
    void HideOptionsPanel() override;

    void MP3TimerTimer(); // display update
    void Button7Click();  // forward 10 s
    void Button8Click();  // back 10 s
    void Button9Click();  // next track
    void BitBtn2Click();  // previous track
    void Image3Click();   // shows the now-playing screen
    void SwitchToNowPlayingTimerTimer();
    // The options panel's buttons.
    void Panel11Click(); // Directory
    void Panel19Click(); // Main Menue
    void Panel2Click();  // Pause / Resume
    void Panel12Click(); // Next
    void Panel13Click(); // Previous
    void Panel4Click();  // Stop
    void Panel20Click(); // random switch
    // "Audio" on the media choice: now playing while a track was started, else the list.
    void showAudio();

    // The picture shown when a track has none; kept in reserve. False when it can't be
    // loaded (nothing changes then).
    bool setDefaultPicture(const QString &path);
    const QPixmap &defaultPicture() const { return m_defaultPicture; }

    void commandKey(quint16 key) override;
    void registerColours(ColourScheme &colours);

    NowPlayingScreen *screen() const { return m_screen; }
    Mp3OptionsPanel *MP3OptionsPanel() const;
    Favourites &favourites() const { return *m_favourites; }
    TRandomFile &randomFile() { return m_randomFile; }
    QTimer &MP3Timer() { return m_timer; }
    QTimer &SwitchToNowPlayingTimer() { return m_switchTimer; }
    qint64 progressMaximum() const { return m_progressMax; }
    qint64 progressPosition() const { return m_progressPos; }
    bool randomMode() const { return m_randomMode; }
    QString randomRoot() const { return m_randomRoot; }
    // The file of the picture shown; the track's own path for the picture in its tag.
    QString shownPicturePath() const { return m_shownPicturePath; }
    CoverProbe &coverProbe() { return m_coverProbe; }
    // How many pictures were read from the disk for tracks.
    int pictureLoads() const { return m_pictureLoads; }
    const QStringList &starPictures() const { return m_stars; }

    // " mm:ss..mm:ss" of the time label.
    static QString timeText(qint64 positionMs, qint64 lengthMs);

private:
    // The steps next and previous track share before their walk.
    void stopForSkip(const QString &symbol);
    // Selects the list entry of the track the player had, if the list shows it.
    void relocate();
    bool selectedIsPlayable() const;
    void playSelected(bool showBitRate);
    void followOnList();
    void showCover(const QString &track);
    // The pictures after the one inside the tag: the directory's, a star's, the default.
    void showSharedCover(const QString &track);
    void showPictureFile(const QString &path);
    void embeddedCoverRead(const QString &track, const QImage &picture);
    void setProgressMaximum(qint64 ms);

    ScreenHost &m_screens;
    SelectionMarker &m_marker;
    Mp3Directory &m_list;
    AudioPlayer &m_player;
    QString m_starsDir;
    NowPlayingScreen *m_screen;
    Favourites *m_favourites;
    BitRateProbe m_probe;
    QString m_bitRatePath;
    CoverProbe m_coverProbe;
    TRandomFile m_randomFile;
    QTimer m_timer;
    QTimer m_switchTimer;

    qint64 m_progressMax = 0;
    qint64 m_progressPos = 0;
    bool m_randomMode = false;
    QString m_randomRoot;
    QStringList m_stars;
    QPixmap m_defaultPicture;
    QString m_defaultPicturePath;
    QString m_shownPicturePath;
    int m_pictureLoads = 0;
};
