#include "media/EntryOrder.h"

#include "media/DirectoryEntries.h"
#include "media/DirectoryReader.h"
#include "media/KeySort.h"

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

// Sorting compares every name many times, so each name's weights are worked out once,
// into a key whose byte order is the order of less(): an ASCII character is one byte, its
// weight's rank among the weights of all ASCII characters; any other character is an odd
// byte placing it between those, then its weight in 3 bytes. No key byte that starts a
// character is 0, so a key that is a prefix of another sorts first, as the shorter text
// does.
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
        append(m_marker, DirectoryReader::DirectoryMarker);
    }

    void append(std::string &key, QStringView text) const
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
        for (const QChar c : text.sliced(i)) {
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

    // The key of an entry read from disk: an ASCII name straight from its bytes, any
    // other decoded as its text is.
    void append(std::string &key, const DirectoryEntries &entries, qsizetype i) const
    {
        if (entries.isDirectory(i))
            key += m_marker;
        const std::string_view name = entries.name(i);
        if (!entries.isAscii(i)) {
            append(key, QString::fromUtf8(name.data(), qsizetype(name.size())));
            return;
        }
        const size_t at = key.size();
        key.resize(at + name.size());
        char *out = key.data() + at;
        for (const char c : name)
            *out++ = m_ascii[static_cast<unsigned char>(c)];
    }

private:
    int rank(quint32 w) const
    {
        return int(std::lower_bound(m_weights.begin(), m_weights.end(), w) - m_weights.begin());
    }

    std::vector<quint32> m_weights; // of the ASCII characters, distinct, ascending
    char m_ascii[128];
    std::string m_marker; // the key of the directory marker
};

const KeyCoder &coder()
{
    static const KeyCoder c;
    return c;
}

} // namespace

void EntryOrder::sort(QStringList &entries)
{
    KeySort keys;
    keys.reserve(size_t(entries.size()), size_t(entries.size()) * 32);
    for (const QString &text : std::as_const(entries)) {
        coder().append(keys.buffer(), text);
        keys.closeKey();
    }
    const std::vector<quint32> order = keys.order([&](quint32 a, quint32 b) {
        return std::as_const(entries)[a] < std::as_const(entries)[b];
    });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const quint32 i : order)
        sorted.append(std::move(entries[i]));
    entries = std::move(sorted);
}

QStringList EntryOrder::sorted(const DirectoryEntries &entries)
{
    KeySort keys;
    keys.reserve(size_t(entries.size()), size_t(entries.size()) * 32);
    const KeyCoder &keyCoder = coder();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        keyCoder.append(keys.buffer(), entries, i);
        keys.closeKey();
    }
    // Equal keys: ASCII names of the same kind compare as their bytes, as their texts do.
    const std::vector<quint32> order = keys.order([&](quint32 a, quint32 b) {
        if (entries.isAscii(a) && entries.isAscii(b) &&
            entries.isDirectory(a) == entries.isDirectory(b))
            return entries.name(a) < entries.name(b);
        return entries.text(a) < entries.text(b);
    });
    QStringList texts;
    texts.reserve(entries.size());
    for (const quint32 i : order)
        texts.append(entries.text(i));
    return texts;
}
