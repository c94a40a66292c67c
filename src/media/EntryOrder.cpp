#include "media/EntryOrder.h"

#include <algorithm>

namespace {

// Weight of one character: its class in the high bits, its case-folded code below.
quint32 weight(QChar c)
{
    quint32 rank = 0; // blanks, punctuation, symbols
    if (c.isDigit())
        rank = 1;
    else if (c.isLetter() || c.isMark())
        rank = 2;
    return (rank << 16) | c.toCaseFolded().unicode();
}

// Most names are ASCII; their weights come from this table.
struct AsciiWeights {
    quint32 w[128];
    AsciiWeights()
    {
        for (int i = 0; i < 128; ++i)
            w[i] = weight(QChar(i));
    }
};

quint32 weightOf(QChar c)
{
    static const AsciiWeights ascii;
    return c.unicode() < 128 ? ascii.w[c.unicode()] : weight(c);
}

} // namespace

bool EntryOrder::less(const QString &a, const QString &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const QChar *pa = a.constData();
    const QChar *pb = b.constData();
    for (qsizetype i = 0; i < n; ++i) {
        if (pa[i] == pb[i])
            continue;
        const quint32 wa = weightOf(pa[i]);
        const quint32 wb = weightOf(pb[i]);
        if (wa != wb)
            return wa < wb;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

void EntryOrder::sort(QStringList &entries) { std::sort(entries.begin(), entries.end(), less); }
