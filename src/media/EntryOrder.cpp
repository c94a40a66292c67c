#include "media/EntryOrder.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

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

// Sorting compares every name about log2(n) times, so each name's weights are worked out
// once, into a key whose byte order is the order of less(): an ASCII character is one
// byte, its weight's rank among the weights of all ASCII characters; any other character
// is an odd byte placing it between those, then its weight in 3 bytes. No key byte that
// starts a character is 0, so a key that is a prefix of another sorts first, as the
// shorter text does. The first 8 key bytes decide most comparisons as one integer.
namespace {

class KeyCoder {
public:
    KeyCoder()
    {
        for (int i = 1; i < 128; ++i)
            m_weights.push_back(weightOf(QChar(i)));
        std::sort(m_weights.begin(), m_weights.end());
        m_weights.erase(std::unique(m_weights.begin(), m_weights.end()), m_weights.end());
        for (int i = 0; i < 128; ++i)
            m_ascii[i] = char(2 * rank(weightOf(QChar(i))) + 2);
    }

    void append(std::string &key, const QString &text) const
    {
        const size_t start = key.size();
        key.resize(start + size_t(text.size()));
        char *out = key.data() + start;
        qsizetype i = 0;
        // Most names are ASCII throughout: one byte a character, written in place.
        for (; i < text.size() && text[i].unicode() < 128; ++i)
            *out++ = m_ascii[text[i].unicode()];
        if (i == text.size())
            return;
        key.resize(start + size_t(i));
        for (const QChar c : QStringView(text).sliced(i)) {
            if (c.unicode() < 128) {
                key += m_ascii[c.unicode()];
                continue;
            }
            const quint32 w = weightOf(c);
            const auto at = std::lower_bound(m_weights.begin(), m_weights.end(), w);
            const int j = int(at - m_weights.begin());
            if (at != m_weights.end() && *at == w) {
                key += char(2 * j + 2);
                continue;
            }
            key += char(2 * j + 1);
            key += char(w >> 16);
            key += char(w >> 8);
            key += char(w);
        }
    }

private:
    int rank(quint32 w) const
    {
        return int(std::lower_bound(m_weights.begin(), m_weights.end(), w) - m_weights.begin());
    }

    std::vector<quint32> m_weights; // of the ASCII characters, distinct, ascending
    char m_ascii[128];
};

} // namespace

void EntryOrder::sort(QStringList &entries)
{
    static const KeyCoder coder;
    struct Item {
        quint64 prefix;
        quint32 offset;
        quint32 length;
        qsizetype index;
    };
    std::string keys;
    keys.reserve(size_t(entries.size()) * 32);
    std::vector<Item> items;
    items.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const size_t offset = keys.size();
        coder.append(keys, entries[i]);
        const size_t length = keys.size() - offset;
        quint64 prefix = 0;
        for (size_t b = 0; b < 8; ++b)
            prefix = prefix << 8 | (b < length ? quint8(keys[offset + b]) : 0);
        items.push_back({prefix, quint32(offset), quint32(length), i});
    }
    const char *base = keys.data();
    std::sort(items.begin(), items.end(), [&](const Item &a, const Item &b) {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        const int byKey = std::string_view(base + a.offset, a.length)
                              .compare(std::string_view(base + b.offset, b.length));
        return byKey != 0 ? byKey < 0 : entries[a.index] < entries[b.index];
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const Item &item : items)
        sorted.append(std::move(entries[item.index]));
    entries = std::move(sorted);
}
