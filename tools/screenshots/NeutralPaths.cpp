#include "NeutralPaths.h"

#include "widgets/ScrollingText.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

NeutralPaths::NeutralPaths(const QStringList &from, const QString &to) : m_to(to)
{
    for (QString dir : from) {
        if (dir.isEmpty())
            continue;
        if (!dir.endsWith(QLatin1Char('/')))
            dir += QLatin1Char('/');
        if (!m_from.contains(dir))
            m_from << dir;
    }
    // A directory inside another is replaced before its parent.
    std::sort(m_from.begin(), m_from.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
}

QString NeutralPaths::neutral(const QString &text) const
{
    QString out = text;
    for (const QString &dir : m_from) {
        out.replace(dir, m_to);
        // The directory itself, written without its "/" at the end of the text.
        if (out == dir.chopped(1))
            out = m_to.chopped(1);
    }
    return out;
}

QString NeutralPaths::textOf(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (const auto *edit = qobject_cast<const QLineEdit *>(widget))
        return edit->text();
    if (const auto *memo = qobject_cast<const QPlainTextEdit *>(widget))
        return memo->toPlainText();
    if (const auto *line = qobject_cast<const ScrollingText *>(widget))
        return line->text();
    return {};
}

void NeutralPaths::setTextOf(QWidget *widget, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(text);
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(text);
    else if (auto *memo = qobject_cast<QPlainTextEdit *>(widget))
        memo->setPlainText(text);
    else if (auto *line = qobject_cast<ScrollingText *>(widget))
        line->setText(text);
}

void NeutralPaths::apply(QWidget &root)
{
    restore();
    for (QWidget *w : root.findChildren<QWidget *>()) {
        const QString text = textOf(w);
        const QString shown = neutral(text);
        if (shown == text)
            continue;
        m_swapped.append({w, text});
        setTextOf(w, shown);
    }
}

void NeutralPaths::restore()
{
    for (const Swapped &s : std::as_const(m_swapped))
        if (s.widget)
            setTextOf(s.widget, s.text);
    m_swapped.clear();
}
