#include "widgets/SkinFont.h"

QFont SkinFont::points(const QString &family, int points, bool bold, bool italic)
{
    return pixels(family, (points * 96 + 36) / 72, bold, italic);
}

QFont SkinFont::pixels(const QString &family, int pixels, bool bold, bool italic)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}
