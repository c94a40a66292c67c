#pragma once

#include <QString>

// What the video list asks of video playback: the codec of the selected entry for the
// position label, and playing a file chosen with C.
class VideoListActions {
public:
    virtual ~VideoListActions() = default;

    // Reads the codec tag of the entry and returns the video type ("XVID", "MPG", "N/A").
    // Empty: the label shows no type.
    virtual QString ReadVideoType(const QString &path) = 0;
    // C on the list: hides the video error panel before the entry is opened.
    virtual void HideErrorPanel() = 0;
    // C on a file: plays it and shows the video screen.
    virtual void PlayVideoFile(const QString &path) = 0;
};
