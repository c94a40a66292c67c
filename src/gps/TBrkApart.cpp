#include "gps/TBrkApart.h"

QStringList TBrkApart::split(const QString &text, const QString &separator, bool allowEmpty)
{
    QStringList pieces;
    qsizetype start = 0;
    for (;;) {
        const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator, start);
        const QString piece = text.mid(start, at < 0 ? -1 : at - start);
        if (!piece.isEmpty() || allowEmpty)
            pieces.append(piece);
        if (at < 0)
            break;
        start = at + separator.size();
    }
    return pieces;
}

void TBrkApart::BreakApart() { StringList = split(BaseString, BreakString, AllowEmptyString); }
