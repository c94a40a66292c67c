#pragma once

#include <QColor>
#include <QString>

#include <optional>

// Colours as the configuration file stores them: a 32-bit value laid out 0x00BBGGRR
// (blue in the high byte), written as one of the twenty colour names when it equals
// one, otherwise as "$" and eight upper-case hexadecimal digits.
class ColourValue {
public:
    static QString toText(quint32 bgr);
    // A colour name (any case) or "$" and hexadecimal digits; nullopt otherwise.
    static std::optional<quint32> fromText(const QString &text);

    static QColor toQColor(quint32 bgr);
    static quint32 fromQColor(const QColor &colour);
};
