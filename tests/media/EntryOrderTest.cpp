#include "media/EntryOrder.h"
#include "media/DirectoryEntries.h"
#include "media/KeySort.h"

#include "media/DirectoryReader.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// The list order as less() defines it, of the texts the entries show.
QStringList sortedByLess(const DirectoryEntries &entries)
{
    QStringList texts;
    for (qsizetype i = 0; i < entries.size(); ++i)
        texts << entries.text(i);
    std::stable_sort(texts.begin(), texts.end(), EntryOrder::less);
    return texts;
}

// A name from pieces of UTF-8: case pairs, digits, symbols, letters beyond ASCII (one
// that folds onto an ASCII letter), a character outside the basic plane, and bytes that
// are no UTF-8 at all.
std::string randomName(std::mt19937 &random, const std::vector<std::string> &prefixes)
{
    static const std::vector<std::string> pieces{
        "a",        "A",        "b",        "B",
        "0",        "1",        " ",        "-",
        ".",        "_",        "$",        "~",
        "\xC2\xBB", "\xC3\xA9", "\xC3\x89", "\xE2\x84\xAA",
        "\xC3\x9F", "k",        "K",        "\xF0\x9F\x8E\xB5",
        "\xFF",     "\x80"};
    std::string name = prefixes[random() % prefixes.size()];
    const int length = int(random() % 12);
    for (int c = 0; c < length; ++c)
        name += pieces[random() % pieces.size()];
    return name.empty() ? std::string("x") : name;
}

} // namespace

TEST(EntryOrder, EntriesReadFromDiskSortInTheOrderOfLess)
{
    // Long shared prefixes, of lengths about the 8-byte steps the sort takes, and enough
    // names that the large groups are sorted by radix passes at several depths.
    const std::vector<std::string> prefixes{"",
                                            "",
                                            "Artist 12 - Track ",
                                            "artist 12 - track ",
                                            "Artist 1",
                                            "ARTIST 12 - TRACK 0",
                                            "abcdefgh",
                                            "abcdefg",
                                            "\xC3\xA9t\xC3\xA9 2025 - "};
    std::mt19937 random(2500);
    for (int round = 0; round < 12; ++round) {
        DirectoryEntries entries;
        const int count = round < 6 ? 300 : 4000;
        for (int i = 0; i < count; ++i)
            entries.add(randomName(random, prefixes), random() % 5 == 0);
        ASSERT_EQ(EntryOrder::sorted(entries), sortedByLess(entries)) << round;
    }
}

TEST(EntryOrder, NamesEqualButForCaseKeepAFixedOrder)
{
    DirectoryEntries entries;
    for (const char *name : {"b", "Ab", "B", "aB", "AB", "ab", "\xC3\xA9", "\xC3\x89", "E", "e"})
        entries.add(name, false);
    entries.add("ab", true);
    entries.add("AB", true);
    const QStringList expected{DirectoryReader::DirectoryMarker + "AB",
                               DirectoryReader::DirectoryMarker + "ab",
                               "AB",
                               "Ab",
                               "aB",
                               "ab",
                               "B",
                               "b",
                               "E",
                               "e",
                               QStringLiteral("\u00C9"),
                               QStringLiteral("\u00E9")};
    EXPECT_EQ(EntryOrder::sorted(entries), expected);
    EXPECT_EQ(sortedByLess(entries), expected);
}

TEST(KeySort, OrdersKeysByUnsignedBytesShorterFirstAndTiesByTheCaller)
{
    // Keys of zero bytes and high bytes, many the prefix of others or equal to them.
    std::mt19937 random(25);
    const char bytes[] = {'\0', '\x01', 'a', '\x7F', '\x80', '\xFF'};
    for (int round = 0; round < 8; ++round) {
        KeySort sort;
        std::vector<std::string> keys;
        const int count = round < 4 ? 200 : 3000;
        for (int i = 0; i < count; ++i) {
            std::string key(size_t(random() % 20), '\0');
            for (char &c : key)
                c = bytes[random() % (round % 2 ? 2 : sizeof bytes)];
            keys.push_back(key);
            sort.buffer() += key;
            sort.closeKey();
        }
        // Ties go by number, highest first, to tell the caller's order from the input's.
        const std::vector<quint32> order = sort.order([](quint32 a, quint32 b) { return a > b; });
        std::vector<quint32> expected(keys.size());
        for (quint32 i = 0; i < expected.size(); ++i)
            expected[i] = i;
        std::sort(expected.begin(), expected.end(), [&](quint32 a, quint32 b) {
            const auto ua = reinterpret_cast<const unsigned char *>(keys[a].data());
            const auto ub = reinterpret_cast<const unsigned char *>(keys[b].data());
            if (std::lexicographical_compare(ua, ua + keys[a].size(), ub, ub + keys[b].size()))
                return true;
            return keys[a] == keys[b] && a > b;
        });
        ASSERT_EQ(order, expected) << round;
    }
}

TEST(KeySort, KeysSharingALongPrefixSortBehindIt)
{
    // Longer than any name's key, with enough keys for radix passes at every word.
    const std::string prefix(1100, 'p');
    std::mt19937 random(2526);
    KeySort sort;
    std::vector<std::string> keys;
    for (int i = 0; i < 1000; ++i) {
        keys.push_back(prefix.substr(0, 1090 + random() % 10) + std::to_string(random() % 500));
        sort.buffer() += keys.back();
        sort.closeKey();
    }
    const std::vector<quint32> order = sort.order([](quint32 a, quint32 b) { return a < b; });
    std::vector<quint32> expected(keys.size());
    for (quint32 i = 0; i < expected.size(); ++i)
        expected[i] = i;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](quint32 a, quint32 b) { return keys[a] < keys[b]; });
    EXPECT_EQ(order, expected);
}
