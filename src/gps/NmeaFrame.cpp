#include "gps/NmeaFrame.h"

namespace {

bool isUpper(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }

bool isHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('F')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

} // namespace

QString NmeaFrame::checksumOf(QStringView text)
{
    uint sum = 0;
    for (const QChar c : text)
        sum ^= c.unicode() & 0xFF;
    return QStringLiteral("%1").arg(sum, 2, 16, QLatin1Char('0')).toUpper();
}

NmeaFrame NmeaFrame::of(QStringView line)
{
    NmeaFrame f;
    const qsizetype dollar = line.lastIndexOf(QLatin1Char('$'));
    if (dollar < 0)
        return f;
    const QStringView sentence = line.sliced(dollar);
    const qsizetype star = sentence.indexOf(QLatin1Char('*'));
    const QStringView body = sentence.sliced(1, (star < 0 ? sentence.size() : star) - 1);
    if (body.isEmpty())
        return f;
    f.m_text = sentence.toString();
    f.m_body = body.toString();
    if (star >= 0) {
        const QStringView sum = sentence.sliced(star + 1).trimmed();
        const bool matches = sum.size() == 2 && isHexDigit(sum[0]) && isHexDigit(sum[1]) &&
                             sum.compare(checksumOf(body), Qt::CaseInsensitive) == 0;
        f.m_checksum = matches ? Checksum::Good : Checksum::Bad;
    }
    // "ttSSS," : a two-letter talker and the sentence type; "P" starts a maker's own.
    const qsizetype comma = body.indexOf(QLatin1Char(','));
    const QStringView address = comma < 0 ? body : body.first(comma);
    if (address.size() == 5 && isUpper(address[0]) && isUpper(address[1]) &&
        address[0] != QLatin1Char('P')) {
        f.m_talker = address.first(2).toString();
        f.m_type = address.sliced(2).toString();
    }
    return f;
}

QStringList NmeaFrame::fields() const { return m_body.split(QLatin1Char(',')); }
