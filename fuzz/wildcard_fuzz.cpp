#include "media/DirectoryEntries.h"
#include "media/EntryOrder.h"
#include "media/WindowsWildcard.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

// File names are bytes from the disk: any pattern against any name must neither crash nor
// run away, "*" must take every name, and the list order must stay a strict order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype cut = bytes.indexOf('\n');
    // Names hold no NUL and at most 255 bytes, as on the file system; masks are short.
    const QByteArray pattern =
        QByteArray(bytes.left(cut < 0 ? bytes.size() / 2 : cut).constData()).left(1024);
    const QByteArray name =
        QByteArray(bytes.mid(cut < 0 ? bytes.size() / 2 : cut + 1).constData()).left(255);
    for (bool directory : {false, true}) {
        (void)WindowsWildcard::matchPattern(pattern.constData(), name.constData(), directory);
        if (!WindowsWildcard::matchPattern("*", name.constData(), directory))
            __builtin_trap();
    }
    (void)WindowsWildcard(QString::fromUtf8(pattern)).matches(name.constData(), false);

    const QString a = QString::fromUtf8(pattern);
    const QString b = QString::fromUtf8(name);
    if (EntryOrder::less(a, b) && EntryOrder::less(b, a))
        __builtin_trap();
    if (EntryOrder::less(a, a))
        __builtin_trap();
    // The list's sort by keys gives the order of less().
    QStringList sorted{a, b, a.left(a.size() / 2), b.toUpper()};
    EntryOrder::sort(sorted);
    for (qsizetype i = 1; i < sorted.size(); ++i)
        if (EntryOrder::less(sorted[i], sorted[i - 1]))
            __builtin_trap();
    // Names read from disk are sorted from their bytes, in the same order.
    DirectoryEntries entries;
    for (const QByteArray &n : {pattern, name, name.toUpper(), pattern.left(pattern.size() / 2)}) {
        entries.add(std::string_view(n.constData(), size_t(n.size())), false);
        entries.add(std::string_view(n.constData(), size_t(n.size())), true);
    }
    const QStringList texts = EntryOrder::sorted(entries);
    for (qsizetype i = 1; i < texts.size(); ++i)
        if (EntryOrder::less(texts[i], texts[i - 1]))
            __builtin_trap();
    return 0;
}
