#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

// The CAN2COM adapter's bytes as the decoder reads them: every received chunk becomes
// hexadecimal text, the text is cut at the carriage returns and every piece is turned
// back into characters in which only digits and letters survive (anything else becomes
// "."). Pure functions of their input.
class CanHex {
public:
    static constexpr int SliceBytes = 90;

    // Two upper-case digits per byte; the text is taken in slices of 90 bytes and a short
    // last slice is padded with three spaces for every missing byte.
    static QString HexText(const QByteArray &text);
    // Pair by pair through HexPairToChar; a last odd character is dropped.
    static QString HexToText(QStringView hex);
    // "30".."39", "41".."5A", "61".."7A" give their character; anything else ".".
    static QString HexPairToChar(QStringView pair);
    static QChar pairToChar(QChar high, QChar low);
    // The text as a hexadecimal number (0-9, A-F, a-f); -1 when it is empty, holds any
    // other character or does not fit in 32 signed bits.
    static qint32 HexValue(QStringView text);

    // The filtered lines of one received chunk, in order: the bytes up to the first zero
    // byte, cut at every carriage return. Empty lines and the padding after the last
    // carriage return give no line.
    static QStringList lines(const QByteArray &chunk);
    // The hexadecimal text cut where a carriage return byte ("0D" at a byte boundary)
    // stands; empty pieces are dropped.
    static QStringList splitAtCarriageReturns(const QString &hex);
};
