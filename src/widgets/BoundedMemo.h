#pragma once

#include <QStringList>

class QPlainTextEdit;

// The on-screen text logs (CAN trace, system messages, the radar screen's messages) hold
// at most a fixed amount of text, as the memos they come from did: a line that would go
// beyond it finds the memo full, and the memo is emptied. Without the bound a car PC
// that runs for days fills its memory with lines nobody reads.
class BoundedMemo {
public:
    // 64 KiB of text: about 1,600 lines of the CAN trace, days of system messages.
    static constexpr qsizetype DefaultCapacity = 64 * 1024;

    // Appends line as a new paragraph; false when it did not fit in capacity characters
    // (counting a line end before it): the memo is then empty and the line is not in it.
    static bool append(QPlainTextEdit &memo, const QString &line,
                       qsizetype capacity = DefaultCapacity);
    static QStringList lines(const QPlainTextEdit &memo);
};
