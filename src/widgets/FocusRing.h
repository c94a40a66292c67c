#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include <functional>

// The knob's focus on a menu-like panel: an ordered set of entries of which at most one
// is focused. Moving past either end stops there (bounded) or wraps around (ring);
// disabled entries are passed over. Entering and leaving an entry runs the panel's
// focus look through the two callbacks.
class FocusRing {
public:
    enum class Ends { Bounded, Wrap };
    using Callback = std::function<void(QWidget *)>;

    explicit FocusRing(Ends ends = Ends::Bounded);

    void setEntries(const QList<QWidget *> &entries);
    void onEnter(Callback callback) { m_enter = std::move(callback); }
    void onExit(Callback callback) { m_exit = std::move(callback); }

    // -1 when no entry has the focus.
    int index() const { return m_index; }
    QWidget *current() const;
    bool has(const QWidget *entry) const { return current() == entry; }

    // Focuses entry i (or none for -1); a disabled entry can't take the focus and the
    // old focus stays. Returns whether the focus is now on i.
    bool focus(int i);
    bool focus(QWidget *entry);
    void next();
    void previous();
    void clear() { focus(-1); }
    // The knob on the panel: R focuses the next entry, L the previous one, C runs activate
    // on the focused entry (not without one). Other keys do nothing.
    void commandKey(quint16 key, const Callback &activate);
    int count() const { return int(m_entries.size()); }

private:
    bool focusable(int i) const;
    void step(int direction);

    QList<QPointer<QWidget>> m_entries;
    Ends m_ends;
    int m_index = -1;
    Callback m_enter;
    Callback m_exit;
};
