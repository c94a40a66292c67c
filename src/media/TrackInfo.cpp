#include "media/TrackInfo.h"

#include "media/FileByteSource.h"

#include <QLabel>

#include <exception>

TrackTags TrackInfo::tagTexts(const QString &path)
{
    TrackTags tags;
    try {
        FileByteSource file(path);
        if (file.isOpen())
            tags = TID3Engine(file).read();
    } catch (const std::exception &) {
        tags = {}; // out of memory on a hostile tag: the track plays without its texts
    }
    if (tags.title.isEmpty())
        tags.title = NoTitle;
    if (tags.artist.isEmpty())
        tags.artist = NoArtist;
    return tags;
}

void TrackInfo::ShowTrackTags(const QString &path, QLabel *MP3Title, QLabel *MP3Artist)
{
    if (MP3Title)
        MP3Title->clear();
    if (MP3Artist)
        MP3Artist->clear();
    const TrackTags tags = tagTexts(path);
    if (MP3Title)
        MP3Title->setText(tags.title);
    if (MP3Artist)
        MP3Artist->setText(tags.artist);
}

QString TrackInfo::getbitrate(const QString &path, std::stop_token stop)
{
    try {
        FileByteSource file(path);
        if (!file.isOpen())
            return QLatin1Char('0') + KBitSuffix;
        return bitRateText(TMPEGAudio(file).scan(stop));
    } catch (const std::exception &) {
        return {};
    }
}

QString TrackInfo::bitRateText(const TMPEGAudio::Result &result)
{
    switch (result.outcome) {
    case TMPEGAudio::Outcome::Found:
        if (result.bitRate == TMPEGAudio::VariableBitRate)
            return VariableText;
        return QString::number(result.bitRate) + KBitSuffix;
    case TMPEGAudio::Outcome::NoFrame:
        return QLatin1Char('0') + KBitSuffix;
    case TMPEGAudio::Outcome::ReadError:
    case TMPEGAudio::Outcome::Cancelled:
        break;
    }
    return {};
}
