#pragma once

#include "media/WindowsWildcard.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <bitset>

// A media list: the sorted entries of one directory by a mask, one of them selected. It
// holds text only; ListRowsView draws it. Both lists are moved only by these operations,
// never by direct input.
class TAUDIListbox : public QObject {
    Q_OBJECT
public:
    static constexpr int VisibleRows = 7;
    static constexpr int RowHeight = 42;
    static constexpr const char *Mp3Mask = "*.;*.mp3;*.wma;*.ogg";
    static constexpr const char *VideoMask = "*.;*.avi;*.mpg;*.mpeg;*.vob";

    explicit TAUDIListbox(const QString &mask, QObject *parent = nullptr);

    QString directory() const { return m_directory; }
    QString mask() const { return m_maskText; }
    // A new mask fills the list again from its directory.
    void setMask(const QString &mask);

    // An empty path or the path shown now: nothing happens. Otherwise the list shows the
    // directory the path names, normalised ("/.." at "/" stays "/"), with nothing
    // selected. False, and the list unchanged, when it can't be opened or entered.
    bool setDirectory(const QString &path);
    // Reads the directory again.
    bool fill();

    const QStringList &items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    QString itemText(int index) const;

    // -1 when nothing is selected.
    int itemIndex() const { return m_itemIndex; }
    // Selects entry i (or nothing for -1), scrolling it into the visible rows. An index
    // out of range is refused: false, the selection stays.
    bool setItemIndex(int index);
    int topIndex() const { return m_topIndex; }

    static bool isDirectoryEntry(const QString &text);
    // The first character of the text, or of the name of a directory entry; 0 for none.
    static char16_t initialOf(const QString &text);
    // Upper-cases a..z only.
    static char16_t foldInitial(char16_t c);

    bool HasItemWithInitial(char16_t ch) const;
    // Index of the first entry with that initial, -1 for none.
    int indexOfInitial(char16_t ch) const;
    // Selects the first entry with that initial; no match leaves the selection.
    void PreselectInitial(char16_t ch);
    // The entry the next-letter step goes to from the selection: the first entry of the
    // next initial in 8-bit code order, tried at most count times; -1 for none.
    int nextLetterIndex() const;

    bool selectedIsDirectory() const;
    // The directory joined with the selected entry's text; empty with nothing selected.
    QString selectedPath() const;
    // The path the selected entry names: a directory entry without its marker.
    QString selectedTarget() const;
    // The parent of the directory shown ("/" stays "/").
    QString parentPath() const;
    QString joined(const QString &name) const;

signals:
    // The entries were read again (the list's change event).
    void changed();
    // Selection or first visible row changed.
    void selectionChanged();

private:
    void setItems(QStringList items); // in list order

    QString m_maskText;
    WindowsWildcard m_mask;
    QString m_directory;
    QStringList m_items;
    std::bitset<256> m_initials;
    int m_itemIndex = -1;
    int m_topIndex = 0;
};
