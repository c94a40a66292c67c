#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Byte-string keys kept in one buffer, sorted by their unsigned bytes (a key that is a
// prefix of another first). Keys come in numbered from 0; equal keys are ordered by the
// caller. Names in a directory share long prefixes ("Artist 12 - Track ..."), so keys are
// sorted 8 bytes at a time, a word as one integer, and each group of keys that agree on a
// word goes on to the next word together, without looking at the bytes before it again.
// A large group is split by a radix pass on the first byte of its word that differs, a
// small one by three-way quicksort.
class KeySort {
public:
    void reserve(size_t count, size_t bytes);
    // Bytes appended here since the previous close form the next key.
    std::string &buffer() { return m_keys; }
    void closeKey();

    using TieLess = std::function<bool(quint32, quint32)>;
    // The key numbers in ascending order of their keys; tieLess orders equal keys.
    std::vector<quint32> order(const TieLess &tieLess);

private:
    struct Item {
        quint64 word; // the key's bytes at the depth being sorted, big-endian, 0-padded
        quint32 offset;
        quint32 length;
        quint32 index;
    };
    Q_ALWAYS_INLINE quint64 wordAt(const Item &item, size_t depth) const;
    int compareFrom(const Item &a, const Item &b, size_t depth) const;
    void sortRange(Item *first, Item *last, size_t depth);
    void radixSort(Item *first, Item *last, size_t depth);
    void sortEqualWords(Item *first, Item *last, size_t depth);
    void insertionSort(Item *first, Item *last, size_t depth);
    void loadWords(Item *first, Item *last, size_t depth) const;

    std::string m_keys;
    size_t m_closed = 0;
    std::vector<Item> m_items;
    std::unique_ptr<Item[]> m_scratch; // where a radix pass puts its groups
    const TieLess *m_tieLess = nullptr;
};
