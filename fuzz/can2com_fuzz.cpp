#include "can/CanHex.h"
#include "can/CanLine.h"
#include "can/CanLineJoiner.h"

#include <cstddef>
#include <cstdint>

// Any bytes as one chunk of the CAN2COM adapter. Besides not crashing, the lines must be
// exactly the chunk's carriage-return-separated runs (up to the first zero byte) with
// every byte other than a digit or letter shown as ".", a last run without its carriage
// return followed by nothing but padding full stops.
namespace {

QString filtered(const QByteArray &run)
{
    QString text;
    for (const char c : run) {
        const bool keep =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        text.append(keep ? QLatin1Char(c) : QLatin1Char('.'));
    }
    return text;
}

bool onlyFullStops(QStringView text)
{
    for (const QChar c : text)
        if (c != QLatin1Char('.'))
            return false;
    return true;
}

void decode(const QString &line)
{
    const CanLine l = CanLine::read(line);
    (void)CanLine::keyPositionCaption(l.value);
    (void)CanLine::gearCaption(l.value);
    (void)CanLine::lightCaption(l.value);
    if (l.type == CanLine::Identity && l.identity.size() > CanLine::IdentityLength)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray chunk(reinterpret_cast<const char *>(data), qsizetype(size));
    const QStringList lines = CanHex::lines(chunk);
    for (const QString &line : lines)
        decode(line);

    const qsizetype zero = chunk.indexOf('\0');
    const QByteArray text = zero < 0 ? chunk : chunk.left(zero);
    QList<QByteArray> runs = text.split('\r');
    const bool open = !text.endsWith('\r');
    runs.removeAll(QByteArray());
    if (runs.size() != lines.size())
        __builtin_trap();
    for (qsizetype i = 0; i < runs.size(); ++i) {
        const QString expected = filtered(runs[i]);
        const bool last = i + 1 == runs.size();
        if (last && open) {
            if (!lines[i].startsWith(expected) ||
                !onlyFullStops(QStringView(lines[i]).mid(expected.size())))
                __builtin_trap();
        } else if (lines[i] != expected) {
            __builtin_trap();
        }
    }

    // Cut into two chunks anywhere: the joined lines are the uncut ones.
    if (!open && !text.contains('\n') && !text.isEmpty()) {
        const qsizetype cut = qsizetype(data[0]) % (text.size() + 1);
        CanLineJoiner joiner;
        QStringList joined = CanHex::lines(joiner.feed(text.first(cut)));
        joined += CanHex::lines(joiner.feed(text.sliced(cut)));
        if (joiner.waiting() || joined != CanHex::lines(text))
            __builtin_trap();
    }
    return 0;
}
