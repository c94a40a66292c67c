#pragma once

#include <QFont>
#include <QString>

// Fonts of the skin. Sizes in points are turned into pixels at 96 dots per inch so that
// the screens look the same whatever the display reports.
class SkinFont {
public:
    static constexpr const char *Narrow = "Liberation Sans Narrow";
    static constexpr const char *Sans = "DejaVu Sans";

    static QFont points(const QString &family, int points, bool bold = false, bool italic = false);
    static QFont pixels(const QString &family, int pixels, bool bold = false, bool italic = false);
};
