#include "core/ColourValue.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char *, quint32>, 20> kNames{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

QString ColourValue::toText(quint32 bgr)
{
    for (const auto &[name, value] : kNames) {
        if (value == bgr)
            return QLatin1String(name);
    }
    return QStringLiteral("$%1").arg(bgr, 8, 16, QLatin1Char('0')).toUpper();
}

std::optional<quint32> ColourValue::fromText(const QString &text)
{
    const QString t = text.trimmed();
    for (const auto &[name, value] : kNames) {
        if (t.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return value;
    }
    // "$" and up to eight hexadecimal digits; a decimal or "0x" number is no colour.
    if (t.size() < 2 || t.size() > 9 || t[0] != QLatin1Char('$'))
        return std::nullopt;
    quint32 value = 0;
    for (const QChar c : QStringView(t).sliced(1)) {
        const int digit = hexDigit(c.unicode());
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | quint32(digit);
    }
    return value;
}

QColor ColourValue::toQColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 ColourValue::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}
