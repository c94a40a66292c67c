#include "media/TAUDIListbox.h"

#include "media/DirectoryReader.h"
#include "media/EntryOrder.h"

#include <QDir>

namespace {

// An absolute path without ".", ".." and doubled separators; ".." at the root stays there.
QString normalised(const QString &path)
{
    QStringList kept;
    for (const QString &part : QDir(path).absolutePath().split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String("..")) {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(part);
    }
    return QLatin1Char('/') + kept.join(QLatin1Char('/'));
}

} // namespace

TAUDIListbox::TAUDIListbox(const QString &mask, QObject *parent)
    : QObject(parent), m_maskText(mask), m_mask(mask)
{
}

void TAUDIListbox::setMask(const QString &mask)
{
    m_maskText = mask;
    m_mask = WindowsWildcard(mask);
    fill();
}

bool TAUDIListbox::setDirectory(const QString &path)
{
    if (path.isEmpty() || path == m_directory)
        return true;
    const QString target = normalised(path);
    std::optional<DirectoryEntries> entries = DirectoryReader::read(target, m_mask);
    if (!entries)
        return false;
    m_directory = target;
    setItems(EntryOrder::sorted(*entries));
    return true;
}

bool TAUDIListbox::fill()
{
    if (m_directory.isEmpty())
        return false;
    std::optional<DirectoryEntries> entries = DirectoryReader::read(m_directory, m_mask);
    if (!entries)
        return false;
    setItems(EntryOrder::sorted(*entries));
    return true;
}

void TAUDIListbox::setItems(QStringList items)
{
    m_items = std::move(items);
    m_initials.reset();
    for (const QString &text : std::as_const(m_items)) {
        const char16_t c = foldInitial(initialOf(text));
        if (c < 256)
            m_initials.set(c);
    }
    m_itemIndex = -1;
    m_topIndex = 0;
    emit changed();
    emit selectionChanged();
}

QString TAUDIListbox::itemText(int index) const
{
    return index >= 0 && index < count() ? m_items[index] : QString();
}

bool TAUDIListbox::setItemIndex(int index)
{
    if (index < -1 || index >= count())
        return false;
    m_itemIndex = index;
    if (index >= 0) {
        if (index < m_topIndex)
            m_topIndex = index;
        else if (index >= m_topIndex + VisibleRows)
            m_topIndex = index - VisibleRows + 1;
    }
    emit selectionChanged();
    return true;
}

bool TAUDIListbox::isDirectoryEntry(const QString &text)
{
    return text.startsWith(DirectoryReader::DirectoryMarker);
}

char16_t TAUDIListbox::initialOf(const QString &text)
{
    const qsizetype at = isDirectoryEntry(text) ? 3 : 0;
    return at < text.size() ? text[at].unicode() : u'\0';
}

char16_t TAUDIListbox::foldInitial(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool TAUDIListbox::HasItemWithInitial(char16_t ch) const
{
    const char16_t c = foldInitial(ch);
    return c < 256 ? m_initials.test(c) : indexOfInitial(ch) >= 0;
}

int TAUDIListbox::indexOfInitial(char16_t ch) const
{
    const char16_t c = foldInitial(ch);
    for (int i = 0; i < count(); ++i) {
        if (foldInitial(initialOf(m_items[i])) == c)
            return i;
    }
    return -1;
}

void TAUDIListbox::PreselectInitial(char16_t ch)
{
    const int i = indexOfInitial(ch);
    if (i >= 0)
        setItemIndex(i);
}

int TAUDIListbox::nextLetterIndex() const
{
    if (m_itemIndex < 0)
        return -1;
    quint8 ch = quint8(initialOf(m_items[m_itemIndex]) + 1);
    for (int tries = 0; tries < count(); ++tries) {
        if (HasItemWithInitial(ch))
            return indexOfInitial(ch);
        ++ch;
    }
    return -1;
}

bool TAUDIListbox::selectedIsDirectory() const
{
    return m_itemIndex >= 0 && isDirectoryEntry(m_items[m_itemIndex]);
}

QString TAUDIListbox::joined(const QString &name) const
{
    return m_directory.endsWith(QLatin1Char('/')) ? m_directory + name
                                                  : m_directory + QLatin1Char('/') + name;
}

QString TAUDIListbox::selectedPath() const
{
    return m_itemIndex >= 0 ? joined(m_items[m_itemIndex]) : QString();
}

QString TAUDIListbox::selectedTarget() const
{
    if (m_itemIndex < 0)
        return QString();
    const QString &text = m_items[m_itemIndex];
    return joined(isDirectoryEntry(text) ? text.mid(DirectoryReader::DirectoryMarker.size())
                                         : text);
}

QString TAUDIListbox::parentPath() const { return joined(QStringLiteral("..")); }
