#include "support/ScriptedAudioPlayer.h"

#include <QFileInfo>

void ScriptedAudioPlayer::advance(qint64 ms)
{
    if (isPlaying())
        m_position = qMin(m_position + ms, m_length);
}

void ScriptedAudioPlayer::toEnd()
{
    if (m_open)
        m_position = m_length;
}

bool ScriptedAudioPlayer::open(const QString &path)
{
    m_calls << QStringLiteral("open ") + path;
    m_fileName = path;
    m_open = false;
    m_playing = false;
    m_position = 0;
    const qint64 length = m_lengths.value(path, DefaultLength);
    if (length <= 0 || !QFileInfo(path).isFile())
        return false;
    m_length = length;
    m_open = true;
    return true;
}

bool ScriptedAudioPlayer::play()
{
    m_calls << QStringLiteral("play");
    m_playing = m_open;
    return m_open;
}

bool ScriptedAudioPlayer::pause()
{
    m_calls << QStringLiteral("pause");
    m_playing = false;
    return m_open;
}

bool ScriptedAudioPlayer::resume()
{
    m_calls << QStringLiteral("resume");
    m_playing = m_open;
    return m_open;
}

bool ScriptedAudioPlayer::stop()
{
    m_calls << QStringLiteral("stop");
    const bool was = m_open;
    m_open = false;
    m_playing = false;
    return was;
}

bool ScriptedAudioPlayer::seek(qint64 ms)
{
    m_calls << QStringLiteral("seek %1").arg(ms);
    if (!m_open || ms < 0 || ms > m_length)
        return false;
    m_position = ms;
    return true;
}

std::optional<qint64> ScriptedAudioPlayer::position() const
{
    if (!m_open)
        return std::nullopt;
    return m_position;
}

std::optional<qint64> ScriptedAudioPlayer::length() const
{
    if (!m_open)
        return std::nullopt;
    return m_length;
}
