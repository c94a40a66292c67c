#pragma once

#include "platform/VideoPlayer.h"

#include <QStringList>

// A video player that shows nothing and plays nothing: the window's stand-in when no real
// player is handed in, and the tests' fake. It keeps the states a player reports,
// remembers what it was asked ("open <path>", "play", "pause", "stop", "close",
// "seek <s>", "fit", "custom", "zoom <n>") and delivers notifications on request.
class RecordingVideoPlayer : public VideoPlayer {
public:
    QWidget *createDisplay(QWidget *parent) override;

    void open(const QString &path) override;
    QString fileName() const override { return m_file; }
    OpenState openState() const override { return m_open; }
    PlayState playState() const override { return m_play; }
    void play() override;
    void pause() override;
    void stop() override;
    void close() override;
    double duration() const override { return m_duration; }
    double position() const override { return m_position; }
    void setPosition(double seconds) override;
    DisplaySize displaySize() const override { return m_size; }
    void setDisplaySize(DisplaySize size) override;
    int zoom() const override { return m_zoom; }
    void setZoom(int percent) override;

    // The film has opened with this length and plays.
    void deliverOpen(double length);
    void deliverPosition(double seconds);
    void deliverError(int code, const QString &message);

    const QStringList &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QStringList m_calls;
    QString m_file;
    OpenState m_open = OpenState::Closed;
    PlayState m_play = PlayState::Stopped;
    double m_duration = 0;
    double m_position = 0;
    DisplaySize m_size = DisplaySize::FitToWindow;
    int m_zoom = 100;
};
