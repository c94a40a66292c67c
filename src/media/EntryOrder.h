#pragma once

#include <QString>
#include <QStringList>

class DirectoryEntries;

// The order of a media list: case-insensitive over the whole entry text, with symbols
// (the directory marker among them) before digits and digits before letters, so that
// directories come before names that begin with a letter or digit. Texts equal but for
// case keep a fixed order.
class EntryOrder {
public:
    static bool less(const QString &a, const QString &b);
    static void sort(QStringList &entries);
    // The texts of entries read from a directory, in this order.
    static QStringList sorted(const DirectoryEntries &entries);
};
