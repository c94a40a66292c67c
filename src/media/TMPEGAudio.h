#pragma once

#include "media/ByteSource.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>
#include <stop_token>

// Finds the first MPEG audio frame of a file and its bit rate. A frame is accepted when
// its header is valid and another valid header follows exactly one frame length later;
// the scan moves one byte on after every rejected position. An ID3 version 2 tag met on
// the way (at the start, or after leading junk) is jumped over whole, footer included:
// a picture inside it can hold a false pair of frame headers. The file is read in large
// blocks, with exactly the result of stepping through it byte by byte.
class TMPEGAudio {
public:
    enum Version { Mpeg25 = 0, Mpeg2 = 2, Mpeg1 = 3 };
    static constexpr int VariableBitRate = -1;
    static constexpr qint64 DefaultBlockSize = 256 * 1024;

    struct Header {
        Version version = Mpeg1;
        int layer = 3;      // 1, 2 or 3 for Layer I, II, III
        int bitRate = 0;    // kbit/s
        int sampleRate = 0; // Hz
        int padding = 0;
        bool mono = false;
        int frameLength = 0; // bytes, header included
    };

    enum class Outcome { Found, NoFrame, ReadError, Cancelled };
    struct Result {
        Outcome outcome = Outcome::NoFrame;
        qint64 offset = -1; // of the accepted frame
        int bitRate = 0;    // kbit/s of the accepted frame, or VariableBitRate
    };

    // blockSize is how much is read at a time (at least 1); tests use tiny blocks to
    // exercise the seams.
    explicit TMPEGAudio(ByteSource &source, qint64 blockSize = DefaultBlockSize);

    // Scans from the start. A stop request is honoured between blocks.
    Result scan(std::stop_token stop = {});

    // The 32-bit header read most significant byte first; nothing when it is invalid.
    static std::optional<Header> decode(quint32 word);
    // Where the "Xing" mark of a variable-bit-rate file sits, counted from the header.
    static int xingOffset(const Header &header);
    // The "VBRI" mark of the other common encoder sits at one place in every frame kind.
    static constexpr int VbriOffset = 36;
    // The bytes an ID3 version 2 tag starting with these 10 header bytes takes, header and
    // footer included; nothing when they are no tag header or the tag claims more than
    // the remaining bytes (such a size is not trusted with the rest of the file).
    static std::optional<qint64> tagLength(QByteArrayView header, qint64 remaining);

private:
    // The 4 bytes at pos as a word: from the block when they lie in it, else read.
    // Nothing beyond the end of the source; false on a read error.
    bool wordAt(qint64 pos, std::optional<quint32> &word);
    Result accept(qint64 offset, const Header &header);
    // Where the scan goes on after a tag starting at pos; nothing when there is none.
    std::optional<qint64> skipTag(qint64 pos, qint64 size);

    ByteSource &m_source;
    qint64 m_blockSize;
    QByteArray m_block;
    qint64 m_blockStart = 0;
    qint64 m_blockLength = 0; // bytes of m_block read from m_blockStart
};
