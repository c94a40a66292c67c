#include "widgets/FocusRing.h"

#include "core/CommandKey.h"

FocusRing::FocusRing(Ends ends) : m_ends(ends) {}

void FocusRing::setEntries(const QList<QWidget *> &entries)
{
    m_entries.clear();
    for (QWidget *w : entries)
        m_entries.append(w);
    m_index = -1;
}

QWidget *FocusRing::current() const
{
    return m_index >= 0 && m_index < m_entries.size() ? m_entries[m_index].data() : nullptr;
}

bool FocusRing::focusable(int i) const
{
    if (i < 0 || i >= m_entries.size())
        return false;
    const QWidget *w = m_entries[i];
    return w && w->isEnabled();
}

bool FocusRing::focus(int i)
{
    if (i == m_index)
        return true;
    if (i >= 0 && !focusable(i))
        return false;
    QWidget *old = current();
    m_index = i;
    if (old && m_exit)
        m_exit(old);
    if (QWidget *now = current(); now && m_enter)
        m_enter(now);
    return true;
}

bool FocusRing::focus(QWidget *entry)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i] == entry)
            return focus(i);
    }
    return false;
}

void FocusRing::step(int direction)
{
    const int n = int(m_entries.size());
    if (n == 0)
        return;
    // With nothing focused, next starts at the first entry and previous at the last.
    int i = m_index < 0 ? (direction > 0 ? -1 : n) : m_index;
    for (int tries = 0; tries < n; ++tries) {
        i += direction;
        if (i < 0 || i >= n) {
            if (m_ends == Ends::Bounded)
                return;
            i = (i + n) % n;
        }
        if (focusable(i)) {
            focus(i);
            return;
        }
    }
}

void FocusRing::next() { step(+1); }

void FocusRing::previous() { step(-1); }

void FocusRing::commandKey(quint16 key, const Callback &activate)
{
    switch (key) {
    case CommandKey::R:
        next();
        break;
    case CommandKey::L:
        previous();
        break;
    case CommandKey::C:
        if (QWidget *w = current())
            activate(w);
        break;
    default:
        break;
    }
}
