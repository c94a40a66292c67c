#pragma once

#include "core/TraceSink.h"
#include "widgets/BoundedMemo.h"

#include <QPointer>
#include <QStringList>
#include <QTime>

#include <functional>

class QPlainTextEdit;

// The CAN trace: time-stamped lines in the memo CAN2COMMemo of the options page "CAN",
// kept in memory until saved or cleared. The CAN link, the steering wheel and the
// drivers log write to it.
class CanTrace : public TraceSink {
public:
    using Clock = std::function<QTime()>;
    // The trace holds at most this many characters; a line that would go beyond empties
    // the trace instead and is lost, so that a long drive can't eat the memory.
    static constexpr qsizetype DefaultCapacity = BoundedMemo::DefaultCapacity;

    // clock gives the time of day (the real clock when empty).
    explicit CanTrace(QPlainTextEdit &memo, Clock clock = {}, qsizetype capacity = DefaultCapacity);

    // The time in the long time format, a space and the message.
    void AddTrace(const QString &message) override;
    // Hears every line as it is made, kept or not: for a watcher that checks the lines
    // of a long run without holding them.
    void setListener(std::function<void(const QString &line)> listener)
    {
        m_listener = std::move(listener);
    }
    QStringList lines() const;
    void clear();
    // Writes every line followed by CR LF, replacing the file in one step; returns the
    // platform's error text, or an empty text on success. The trace is kept either way.
    QString save(const QString &path) const;

private:
    QPointer<QPlainTextEdit> m_memo;
    Clock m_clock;
    qsizetype m_capacity;
    std::function<void(const QString &)> m_listener;
};
