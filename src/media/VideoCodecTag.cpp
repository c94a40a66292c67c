#include "media/VideoCodecTag.h"

#include "media/FileByteSource.h"

QByteArray VideoCodecTag::ReadVideoCodecTag(ByteSource &source)
{
    if (source.size() <= Offset)
        return {};
    char bytes[4];
    const qint64 got = source.read(Offset, bytes, 4);
    if (got < 0)
        return Unreadable;
    return QByteArray(bytes, qsizetype(got));
}

QByteArray VideoCodecTag::ReadVideoCodecTag(const QString &path)
{
    FileByteSource source(path);
    if (!source.isOpen())
        return Unreadable;
    return ReadVideoCodecTag(source);
}

QString VideoCodecTag::videoType(const QByteArray &tag)
{
    if (tag == QByteArrayLiteral("\xFF\xFF\xFF\xFF"))
        return QStringLiteral("MPG");
    QString type;
    for (const char c : tag) {
        const auto byte = uchar(c);
        if (byte < 0x20 || byte == 0x7F) // bytes a label can't show
            continue;
        type += (byte >= 'a' && byte <= 'z') ? QChar(byte - 'a' + 'A') : QChar(byte);
    }
    return type.isEmpty() ? QStringLiteral("MPG") : type;
}
