#include "support/WavFile.h"

#include <QDataStream>
#include <QIODevice>

#include <cmath>

QByteArray WavFile::tone(int milliseconds, int hertz, int sampleRate)
{
    const quint32 samples = quint32(qint64(sampleRate) * milliseconds / 1000);
    const quint32 dataBytes = samples * 2;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(sampleRate) << quint32(sampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(8000 * std::sin(2 * M_PI * hertz * double(i) / sampleRate));
    return wav;
}
