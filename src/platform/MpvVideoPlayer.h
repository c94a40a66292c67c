#pragma once

#include "platform/MpvHandle.h"
#include "platform/MpvSeekState.h"
#include "platform/VideoPlayer.h"

#include <QObject>
#include <QPointer>

#include <atomic>

struct mpv_event;

// The video service on libmpv. With the video output "libmpv" (the program) the picture is
// drawn into the display widget through mpv's render API (from the first film on); with
// "null" (tests) nothing is drawn and the display is a plain black widget. Films stay open at their
// end.
class MpvVideoPlayer : public QObject, public VideoPlayer {
    Q_OBJECT
public:
    struct Options {
        QByteArray videoOutput = "libmpv";
        QByteArray audioOutput; // empty: the system's default
    };

    MpvVideoPlayer();
    explicit MpvVideoPlayer(Options options);
    ~MpvVideoPlayer() override;

    // False when libmpv could not be set up; the player then does nothing.
    bool isValid() const { return bool(m_mpv); }

    QWidget *createDisplay(QWidget *parent) override;
    void open(const QString &path) override;
    QString fileName() const override { return m_file; }
    OpenState openState() const override { return m_open; }
    PlayState playState() const override;
    void play() override;
    void pause() override;
    void stop() override;
    void close() override;
    double duration() const override { return m_open == OpenState::Open ? m_duration : 0; }
    double position() const override { return m_open == OpenState::Open ? m_position : 0; }
    void setPosition(double seconds) override;
    DisplaySize displaySize() const override { return m_size; }
    void setDisplaySize(DisplaySize size) override;
    int zoom() const override { return m_zoom; }
    void setZoom(int percent) override;
    // A seek asked for has not come to its place yet; position() is the place asked for.
    bool isSeeking() const { return m_seek.pending(); }

private:
    bool drawsIntoDisplay() const { return m_options.videoOutput == "libmpv"; }
    void attachRenderer();
    void renderReady(bool ok);
    void playUnseen();
    void load(const QByteArray &file);
    void setPaused(bool paused);
    void applyZoom();
    double bounded(double seconds) const;
    void drainEvents();
    void handle(const mpv_event &event);
    void fileLoaded();
    void fileEnded(const mpv_event &event);
    void propertyChanged(const mpv_event &event);
    void seekDone();

    Options m_options;
    MpvHandle m_mpv;
    QPointer<QWidget> m_display;
    bool m_rendererAttached = false; // the GL part of the display exists (first film)
    bool m_renderChecked = false;    // the display has made (or failed to make) its context
    QByteArray m_pending;            // a film waiting for the display's render context
    std::atomic<bool> m_drainQueued{false};

    QString m_file;
    qint64 m_entry = -1;   // mpv's playlist entry of the film
    qint64 m_started = -1; // the entry mpv last started
    OpenState m_open = OpenState::Closed;
    bool m_paused = false;
    bool m_stopped = false;
    double m_duration = 0;
    double m_position = 0;
    MpvSeekState m_seek;
    DisplaySize m_size = DisplaySize::FitToWindow;
    int m_zoom = 100;
};
