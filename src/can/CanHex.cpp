#include "can/CanHex.h"

#include <limits>

namespace {

const char HexDigits[] = "0123456789ABCDEF";

int digitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

// Exactly the digits HexText writes: 0-9 and A-F.
int upperDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'f') ? -1 : digitValue(c);
}

bool keeps(int byte)
{
    return (byte >= 0x30 && byte <= 0x39) || (byte >= 0x41 && byte <= 0x5A) ||
           (byte >= 0x61 && byte <= 0x7A);
}

// A piece after the last carriage return of a chunk is padding only.
bool isPadding(QStringView piece) { return piece.startsWith(u"  "); }

} // namespace

QString CanHex::HexText(const QByteArray &text)
{
    QString hex;
    const qsizetype n = text.size();
    const qsizetype missing = n % SliceBytes == 0 ? 0 : SliceBytes - n % SliceBytes;
    hex.reserve(2 * n + 3 * missing);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        hex.append(QLatin1Char(HexDigits[byte >> 4]));
        hex.append(QLatin1Char(HexDigits[byte & 0x0F]));
    }
    hex.append(QString(3 * missing, QLatin1Char(' ')));
    return hex;
}

QChar CanHex::pairToChar(QChar high, QChar low)
{
    const int h = upperDigitValue(high);
    const int l = upperDigitValue(low);
    if (h < 0 || l < 0)
        return QLatin1Char('.');
    const int byte = h * 16 + l;
    return keeps(byte) ? QChar(byte) : QLatin1Char('.');
}

QString CanHex::HexPairToChar(QStringView pair)
{
    if (pair.size() != 2)
        return QStringLiteral(".");
    return QString(pairToChar(pair[0], pair[1]));
}

QString CanHex::HexToText(QStringView hex)
{
    const qsizetype pairs = hex.size() / 2;
    QString text(pairs, Qt::Uninitialized);
    for (qsizetype k = 0; k < pairs; ++k)
        text[k] = pairToChar(hex[2 * k], hex[2 * k + 1]);
    return text;
}

qint32 CanHex::HexValue(QStringView text)
{
    if (text.isEmpty())
        return -1;
    qint64 value = 0;
    for (const QChar c : text) {
        const int d = digitValue(c);
        if (d < 0)
            return -1;
        value = value * 16 + d;
        if (value > std::numeric_limits<qint32>::max())
            return -1;
    }
    return qint32(value);
}

QStringList CanHex::splitAtCarriageReturns(const QString &hex)
{
    QStringList pieces;
    qsizetype start = 0;
    // Only pairs that start at an even position are bytes; "0D" across two bytes
    // (such as 20 D5) is no carriage return.
    for (qsizetype at = 0; at + 1 < hex.size(); at += 2) {
        if (hex[at] != QLatin1Char('0') || hex[at + 1] != QLatin1Char('D'))
            continue;
        if (at > start)
            pieces.append(hex.mid(start, at - start));
        start = at + 2;
    }
    if (start < hex.size())
        pieces.append(hex.mid(start));
    return pieces;
}

QStringList CanHex::lines(const QByteArray &chunk)
{
    const qsizetype zero = chunk.indexOf('\0');
    const QByteArray text = zero < 0 ? chunk : chunk.left(zero);
    QStringList result;
    for (const QString &piece : splitAtCarriageReturns(HexText(text))) {
        QStringView p(piece);
        if (p.startsWith(QLatin1Char(' ')))
            p = p.mid(1);
        if (isPadding(p))
            continue;
        result.append(HexToText(p));
    }
    return result;
}
