#include "support/RecordingVideoPlayer.h"

#include <QPalette>
#include <QWidget>

QWidget *RecordingVideoPlayer::createDisplay(QWidget *parent)
{
    auto *display = new QWidget(parent);
    display->setAutoFillBackground(true);
    QPalette p = display->palette();
    p.setColor(QPalette::Window, Qt::black);
    display->setPalette(p);
    display->hide();
    return display;
}

void RecordingVideoPlayer::open(const QString &path)
{
    m_calls << QStringLiteral("open ") + path;
    m_file = path;
    m_open = OpenState::Loading;
    m_play = PlayState::Stopped;
    m_duration = 0;
    m_position = 0;
}

void RecordingVideoPlayer::play()
{
    m_calls << QStringLiteral("play");
    if (m_open == OpenState::Open)
        m_play = PlayState::Playing;
}

void RecordingVideoPlayer::pause()
{
    m_calls << QStringLiteral("pause");
    if (m_open == OpenState::Open)
        m_play = PlayState::Paused;
}

void RecordingVideoPlayer::stop()
{
    m_calls << QStringLiteral("stop");
    m_play = PlayState::Stopped;
    m_position = 0;
}

void RecordingVideoPlayer::close()
{
    m_calls << QStringLiteral("close");
    m_file.clear();
    m_open = OpenState::Closed;
    m_play = PlayState::Stopped;
    m_duration = 0;
    m_position = 0;
}

void RecordingVideoPlayer::setPosition(double seconds)
{
    m_calls << QStringLiteral("seek ") + QString::number(seconds);
    m_position = seconds;
}

void RecordingVideoPlayer::setDisplaySize(DisplaySize size)
{
    m_calls << (size == DisplaySize::Custom ? QStringLiteral("custom") : QStringLiteral("fit"));
    m_size = size;
}

void RecordingVideoPlayer::setZoom(int percent)
{
    m_calls << QStringLiteral("zoom ") + QString::number(percent);
    if (percent > 0)
        m_zoom = percent;
}

void RecordingVideoPlayer::deliverOpen(double length)
{
    m_open = OpenState::Open;
    m_play = PlayState::Playing;
    m_duration = length;
    notifyOpenState(m_open);
}

void RecordingVideoPlayer::deliverPosition(double seconds)
{
    m_position = seconds;
    notifyPosition(seconds);
}

void RecordingVideoPlayer::deliverError(int code, const QString &message)
{
    notifyError(code, message);
}
