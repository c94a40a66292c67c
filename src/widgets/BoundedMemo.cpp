#include "widgets/BoundedMemo.h"

#include <QPlainTextEdit>
#include <QTextBlock>

bool BoundedMemo::append(QPlainTextEdit &memo, const QString &line, qsizetype capacity)
{
    // characterCount includes the one paragraph end every document has.
    const qsizetype used = memo.document()->isEmpty() ? 0 : memo.document()->characterCount();
    if (used + line.size() + 1 > capacity) {
        memo.clear();
        return false;
    }
    memo.appendPlainText(line);
    return true;
}

QStringList BoundedMemo::lines(const QPlainTextEdit &memo)
{
    QStringList result;
    if (memo.document()->isEmpty())
        return result;
    for (QTextBlock b = memo.document()->begin(); b.isValid(); b = b.next())
        result.append(b.text());
    return result;
}
