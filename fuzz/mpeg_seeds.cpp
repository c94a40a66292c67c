// Writes a starting corpus for the frame scanner (the first byte of each is the block
// size the fuzzer uses): streams of each MPEG version and layer, Xing headers, false
// synchronisation in a tag.
#include "../tests/media/TrackFileWriter.h"

#include <QDir>
#include <QFile>

using namespace TrackFileWriter;

namespace {

void save(const QString &dir, const QString &name, char block, const QByteArray &bytes)
{
    QFile file(QDir(dir).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(block + bytes);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QByteArray stereo = mpegHeader(3, 3, 9, 0);
    save(dir, "cbr", 7, tag(3, 0, frame23("TIT2", latin1Text("x")), 30) + cbr128(3));
    save(dir, "xing", 16, mpegFrame(stereo, 417, 36) + mpegFrame(stereo, 417));
    const QByteArray mono2 = mpegHeader(2, 3, 8, 0, 0, true);
    save(dir, "xing-mpeg2-mono", 3, mpegFrame(mono2, 208, 13) + mpegFrame(mono2, 208));
    const QByteArray layer1 = mpegHeader(3, 1, 12, 1, 1);
    save(dir, "layer1", 5, mpegFrame(layer1, 388) + layer1);
    const QByteArray layer2 = mpegHeader(0, 2, 14, 2);
    save(dir, "mpeg25-layer2", 40, mpegFrame(layer2, 2880) + layer2);
    save(dir, "false-sync", 1,
         QByteArray(12, '\0') + mpegHeader(3, 3, 11, 0) + QByteArray(10, '\0') + cbr128(2));
    save(dir, "noise", 2, QByteArray(300, '\xFF') + QByteArray("\xFF\xFB\x90\x00", 4));
    return 0;
}
