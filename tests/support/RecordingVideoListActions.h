#pragma once

#include "media/VideoListActions.h"

#include <QStringList>

// Video playback that plays nothing, knows no codec and remembers what it was asked, in
// order: "type <path>", "hide error", "play <path>".
class RecordingVideoListActions : public VideoListActions {
public:
    QString ReadVideoType(const QString &path) override
    {
        m_calls << QStringLiteral("type ") + path;
        return QString();
    }
    void HideErrorPanel() override { m_calls << QStringLiteral("hide error"); }
    void PlayVideoFile(const QString &path) override { m_calls << QStringLiteral("play ") + path; }

    const QStringList &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    QStringList m_calls;
};
