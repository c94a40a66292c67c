#include "media/KeySort.h"

#include <QtEndian>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <utility>

namespace {

constexpr size_t WordBytes = 8;
// Sorting small groups by insertion costs less than partitioning them.
constexpr ptrdiff_t InsertionLimit = 12;
// Below this, clearing the radix counts costs more than partitioning.
constexpr ptrdiff_t RadixLimit = 256;

} // namespace

void KeySort::reserve(size_t count, size_t bytes)
{
    m_items.reserve(count);
    m_keys.reserve(bytes + WordBytes);
}

void KeySort::closeKey()
{
    const size_t end = m_keys.size();
    m_items.push_back({0, quint32(m_closed), quint32(end - m_closed), quint32(m_items.size())});
    m_closed = end;
}

std::vector<quint32> KeySort::order(const TieLess &tieLess)
{
    // Words are read 8 bytes at a time; the last key's may run past its end.
    m_keys.append(WordBytes, '\0');
    m_tieLess = &tieLess;
    Item *first = m_items.data();
    Item *last = first + m_items.size();
    m_scratch = std::make_unique_for_overwrite<Item[]>(m_items.size());
    loadWords(first, last, 0);
    sortRange(first, last, 0);
    m_tieLess = nullptr;
    m_keys.resize(m_closed);
    std::vector<quint32> indices;
    indices.reserve(m_items.size());
    for (const Item &item : m_items)
        indices.push_back(item.index);
    return indices;
}

inline quint64 KeySort::wordAt(const Item &item, size_t depth) const
{
    if (depth >= item.length)
        return 0;
    quint64 word;
    std::memcpy(&word, m_keys.data() + item.offset + depth, WordBytes);
    word = qFromBigEndian(word);
    const size_t rest = item.length - depth;
    return rest >= WordBytes ? word : word & (~quint64(0) << (8 * (WordBytes - rest)));
}

void KeySort::loadWords(Item *first, Item *last, size_t depth) const
{
    for (Item *i = first; i != last; ++i)
        i->word = wordAt(*i, depth);
}

int KeySort::compareFrom(const Item &a, const Item &b, size_t depth) const
{
    if (a.word != b.word)
        return a.word < b.word ? -1 : 1;
    // The bytes before depth are equal; the rest are compared a word at a time, a key
    // that ends reading as zeros.
    const size_t shorter = std::min(a.length, b.length);
    for (size_t d = depth + WordBytes; d < shorter; d += WordBytes) {
        const quint64 wa = wordAt(a, d);
        const quint64 wb = wordAt(b, d);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.length != b.length)
        return a.length < b.length ? -1 : 1;
    return (*m_tieLess)(a.index, b.index) ? -1 : ((*m_tieLess)(b.index, a.index) ? 1 : 0);
}

void KeySort::insertionSort(Item *first, Item *last, size_t depth)
{
    for (Item *i = first + 1; i < last; ++i) {
        Item moving = *i;
        Item *j = i;
        // Most neighbours differ in the word at hand; the rest of the keys only if not.
        for (; j != first &&
               (moving.word != (j - 1)->word ? moving.word < (j - 1)->word
                                             : compareFrom(moving, *(j - 1), depth) < 0);
             --j)
            *j = *(j - 1);
        *j = moving;
    }
}

void KeySort::radixSort(Item *first, Item *last, size_t depth)
{
    const size_t n = size_t(last - first);
    // On the heap: groups within groups nest these calls deep for long shared prefixes.
    std::vector<std::array<quint32, 256>> counts(WordBytes);
    for (const Item *i = first; i != last; ++i)
        for (size_t b = 0; b < WordBytes; ++b)
            ++counts[b][(i->word >> (8 * b)) & 0xFF];
    // The most significant byte that differs splits the group; each part goes on alone.
    size_t b = WordBytes;
    while (b > 0 && counts[b - 1][(first->word >> (8 * (b - 1))) & 0xFF] == n)
        --b;
    if (b == 0) {
        sortEqualWords(first, last, depth);
        return;
    }
    const unsigned shift = unsigned(8 * (b - 1));
    std::array<quint32, 256> &count = counts[b - 1];
    quint32 at = 0;
    for (quint32 &c : count)
        at += std::exchange(c, at);
    Item *scratch = m_scratch.get() + (first - m_items.data());
    for (const Item *i = first; i != last; ++i)
        scratch[count[(i->word >> shift) & 0xFF]++] = *i;
    std::copy(scratch, scratch + n, first);
    // Each count now stands at the end of its byte's part.
    quint32 start = 0;
    for (const quint32 end : count) {
        if (end - start > 1)
            sortRange(first + start, first + end, depth);
        start = end;
    }
}

void KeySort::sortEqualWords(Item *first, Item *last, size_t depth)
{
    if (last - first < 2)
        return;
    // Past depth + 8, when none goes on, the keys differ only in trailing zero bytes.
    if (std::all_of(first, last,
                    [depth](const Item &item) { return item.length <= depth + WordBytes; })) {
        std::sort(first, last, [this, depth](const Item &x, const Item &y) {
            return compareFrom(x, y, depth) < 0;
        });
        return;
    }
    loadWords(first, last, depth + WordBytes);
    sortRange(first, last, depth + WordBytes);
}

void KeySort::sortRange(Item *first, Item *last, size_t depth)
{
    // Of the three parts of a partition the two smaller are sorted by recursion, the
    // largest by the loop, so the stack holds at most log2(n) frames for each word.
    while (last - first > 1) {
        if (last - first <= InsertionLimit) {
            insertionSort(first, last, depth);
            return;
        }
        if (last - first >= RadixLimit) {
            radixSort(first, last, depth);
            return;
        }
        const quint64 a = first->word;
        const quint64 b = first[(last - first) / 2].word;
        const quint64 c = (last - 1)->word;
        const quint64 pivot = std::max(std::min(a, b), std::min(std::max(a, b), c));
        // Three-way partition: [first, lt) below, [lt, gt) equal, [gt, last) above.
        Item *lt = first;
        Item *i = first;
        Item *gt = last;
        while (i < gt) {
            if (i->word < pivot)
                std::swap(*lt++, *i++);
            else if (i->word > pivot)
                std::swap(*i, *--gt);
            else
                ++i;
        }
        sortEqualWords(lt, gt, depth);
        if (lt - first < last - gt) {
            sortRange(first, lt, depth);
            first = gt;
        } else {
            sortRange(gt, last, depth);
            last = lt;
        }
    }
}
