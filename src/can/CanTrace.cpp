#include "can/CanTrace.h"

#include "core/LongTimeFormat.h"

#include <QPlainTextEdit>
#include <QSaveFile>

CanTrace::CanTrace(QPlainTextEdit &memo, Clock clock, qsizetype capacity)
    : m_memo(&memo), m_clock(std::move(clock)), m_capacity(capacity)
{
    if (!m_clock)
        m_clock = [] {
            return QTime::currentTime();
        };
}

void CanTrace::AddTrace(const QString &message)
{
    if (!m_memo)
        return;
    const QString line = LongTimeFormat::format(m_clock()) + QLatin1Char(' ') + message;
    BoundedMemo::append(*m_memo, line, m_capacity);
    if (m_listener)
        m_listener(line);
}

QStringList CanTrace::lines() const { return m_memo ? BoundedMemo::lines(*m_memo) : QStringList(); }

void CanTrace::clear()
{
    if (m_memo)
        m_memo->clear();
}

QString CanTrace::save(const QString &path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    for (const QString &line : lines()) {
        file.write(line.toUtf8());
        file.write("\r\n", 2);
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
