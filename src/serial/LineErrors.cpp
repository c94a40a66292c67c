#include "serial/LineErrors.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

LineErrors::LineErrors(int device) : m_device(device) { m_supported = readCounts(m_last); }

bool LineErrors::readCounts(Counts &counts) const
{
    serial_icounter_struct icount{};
    if (::ioctl(m_device, TIOCGICOUNT, &icount) != 0)
        return false;
    counts.frame = quint32(icount.frame);
    counts.overrun = quint32(icount.overrun);
    counts.parity = quint32(icount.parity);
    return true;
}

quint32 LineErrors::take()
{
    if (!m_supported)
        return 0;
    Counts now;
    if (!readCounts(now))
        return 0;
    const quint32 flags = flagsBetween(m_last, now);
    m_last = now;
    return flags;
}

quint32 LineErrors::flagsBetween(const Counts &before, const Counts &after)
{
    // The counters wrap; any change is a new error.
    quint32 flags = 0;
    if (after.frame != before.frame)
        flags |= CE_FRAME;
    if (after.overrun != before.overrun)
        flags |= CE_OVERRUN;
    if (after.parity != before.parity)
        flags |= CE_RXPARITY;
    return flags;
}

QByteArray LineErrors::eventText(quint32 flags)
{
    QByteArray description;
    const auto add = [&description](const char *name) {
        if (!description.isEmpty())
            description += " and ";
        description += name;
    };
    if (flags == 0)
        add("NULL Error");
    if (flags & CE_FRAME)
        add("CE_FRAME");
    if (flags & CE_OVERRUN)
        add("CE_OVERRUN");
    if (flags & CE_RXPARITY)
        add("CE_RXPARITY");
    if (flags & ~quint32(CE_FRAME | CE_OVERRUN | CE_RXPARITY))
        add("EV_ERR Unknown EvtMask");
    return "Comm Event: " + description + ", EvtMask = " + QByteArray::number(flags);
}
