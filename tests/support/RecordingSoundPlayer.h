#pragma once

#include "platform/SoundPlayer.h"

#include <QStringList>

// A sound player that plays nothing and remembers what it was asked to play, in order:
// "play <path>" or "wait <path>".
class RecordingSoundPlayer : public SoundPlayer {
public:
    void play(const QString &path) override { m_played << QStringLiteral("play ") + path; }
    void playAndWait(const QString &path) override { m_played << QStringLiteral("wait ") + path; }
    const QStringList &played() const { return m_played; }

private:
    QStringList m_played;
};
