// Writes a starting corpus for the tag reader: tags of every version with the frames,
// flags and encodings it handles.
#include "../tests/media/TrackFileWriter.h"

#include <QDir>
#include <QFile>

using namespace TrackFileWriter;

namespace {

void save(const QString &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(QDir(dir).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QByteArray title = latin1Text("Title");
    const QByteArray artist = utf16Text(QStringLiteral("Artist \u00e9"), false);
    const QByteArray picture = QByteArray("\0image/jpeg\0\3\0", 14) + QByteArray(2000, '\xFF');
    save(
        dir, "v23",
        tag(3, 0, frame23("APIC", picture) + frame23("TIT2", title) + frame23("TPE1", artist), 64) +
            cbr128(2));
    save(dir, "v24",
         tag(4, 0,
             frame24("APIC", picture) + frame24("TIT2", utf8Text("T")) +
                 frame24("TPE1", utf16BeText("A"))));
    save(dir, "v22", tag(2, 0, frame22("TT2", title) + frame22("TP1", artist)));
    save(dir, "v22-pic",
         tag(2, 0,
             frame22("PIC", QByteArray("\1JPG\0\xFF\xFE"
                                       "d\0\0\0",
                                       11) +
                                QByteArray(300, '\xD8'))));
    save(dir, "v23-unsync",
         tag(3, 0x80, unsynchronise(frame23("APIC", picture) + frame23("TIT2", title))));
    save(dir, "v24-unsync", tag(4, 0, frame24("TIT2", unsynchronise(picture), 0x02)));
    save(dir, "v23-zlib",
         tag(3, 0, frame23("TIT2", bigEndian(quint32(title.size()), 4) + compress(title), 0x80)));
    save(dir, "v24-zlib",
         tag(4, 0,
             frame24("TPE1", '\1' + syncsafe(quint32(artist.size())) + compress(artist), 0x49)));
    save(dir, "v23-ext",
         tag(3, 0x40, bigEndian(6, 4) + QByteArray(6, '\0') + frame23("TIT2", title)));
    save(dir, "v24-ext", tag(4, 0x40, syncsafe(6) + '\1' + '\0' + frame24("TIT2", title)));
    save(dir, "v1", cbr128(1) + v1("Title", "Artist"));
    return 0;
}
