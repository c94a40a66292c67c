#include "core/ColourValue.h"

#include "core/IniFile.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<const char *, quint32>, 20> kNames{{
    {"clBlack", 0x000000},     {"clMaroon", 0x000080},  {"clGreen", 0x008000},
    {"clOlive", 0x008080},     {"clNavy", 0x800000},    {"clPurple", 0x800080},
    {"clTeal", 0x808000},      {"clGray", 0x808080},    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},       {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},      {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},     {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},     {"clMedGray", 0xA4A0A0},
}};

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
    if (const auto number = IniFile::parseInteger(t))
        return quint32(*number);
    return std::nullopt;
}

QColor ColourValue::toQColor(quint32 bgr)
{
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

quint32 ColourValue::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}
