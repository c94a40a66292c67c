#pragma once

#include "TrackFileWriter.h"

#include <QByteArray>
#include <QString>

// MP3 files a real decoder plays: an ID3 tag, then silent MPEG-1 Layer III frames at
// 128 kbit/s, 44100 Hz (1152 samples each, about 26 ms).
namespace PlayableTrack {

inline QByteArray bytes(int milliseconds, const QString &title = {}, const QString &artist = {})
{
    using namespace TrackFileWriter;
    const int frames = int((qint64(milliseconds) * 44100 / 1000 + 1151) / 1152);
    QByteArray tagBody;
    if (!title.isEmpty())
        tagBody += frame23("TIT2", latin1Text(title));
    if (!artist.isEmpty())
        tagBody += frame23("TPE1", latin1Text(artist));
    return (tagBody.isEmpty() ? QByteArray() : tag(3, 0, tagBody, 16)) + cbr128(frames);
}

} // namespace PlayableTrack
