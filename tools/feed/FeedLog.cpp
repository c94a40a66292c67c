#include "FeedLog.h"

#include <QList>

namespace {

QByteArray withoutLineEnd(QByteArray line)
{
    while (line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool skipped(const QByteArray &line) { return line.trimmed().isEmpty() || line.startsWith('#'); }

// A CAN line without its trailing comment and blanks.
QByteArray canText(const QByteArray &line)
{
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (line[i] == '#' && (line[i - 1] == ' ' || line[i - 1] == '\t'))
            return line.left(i).trimmed();
    }
    return line.trimmed();
}

} // namespace

bool FeedLog::startsBlock(const QByteArray &sentence)
{
    // "$GPGGA", "$GNGGA", ...: the talker may be any two letters.
    return sentence.size() >= 6 && sentence[0] == '$' && sentence.mid(3, 3) == "GGA";
}

bool FeedLog::pause(const QByteArray &line, int *ms)
{
    if (!line.startsWith('+'))
        return false;
    bool ok = false;
    const int value = line.mid(1).toInt(&ok);
    if (!ok || value < 0 || value > MaxPauseMs)
        return false;
    *ms = value;
    return true;
}

std::vector<FeedBlock> FeedLog::nmeaBlocks(const QByteArray &text)
{
    std::vector<FeedBlock> blocks;
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = withoutLineEnd(raw);
        if (skipped(line))
            continue;
        if (blocks.empty() || (startsBlock(line) && !blocks.back().bytes.isEmpty()))
            blocks.push_back({});
        blocks.back().bytes += line + "\r\n";
    }
    return blocks;
}

std::vector<FeedBlock> FeedLog::canBlocks(const QByteArray &text)
{
    std::vector<FeedBlock> blocks;
    std::chrono::milliseconds waiting{0};
    for (const QByteArray &raw : text.split('\n')) {
        const QByteArray line = withoutLineEnd(raw);
        if (skipped(line))
            continue;
        const QByteArray message = canText(line);
        if (message.isEmpty())
            continue;
        int ms = 0;
        if (pause(message, &ms)) {
            waiting += std::chrono::milliseconds(ms);
            continue;
        }
        blocks.push_back({waiting, message + '\r'});
        waiting = {};
    }
    // A pause at the end comes before the log starts again.
    if (waiting.count() > 0)
        blocks.push_back({waiting, {}});
    return blocks;
}
