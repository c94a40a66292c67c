#pragma once

#include <QByteArray>
#include <QtGlobal>

// Line errors (framing, overrun, parity) seen by a serial driver, as the flags and text
// the application knows: "Comm Event: CE_FRAME, EvtMask = 8". The driver's error counters
// are compared at every look; a device without counters (a pseudo-terminal, some USB
// adapters) simply never reports an error.
class LineErrors {
public:
    enum Flag : quint32 { CE_OVERRUN = 2, CE_RXPARITY = 4, CE_FRAME = 8 };

    struct Counts {
        quint32 frame = 0;
        quint32 overrun = 0;
        quint32 parity = 0;
    };

    // Takes the device's present counts as the starting point.
    explicit LineErrors(int device);

    bool supported() const { return m_supported; }
    // The flags of the errors since the last look; 0 when there were none.
    quint32 take();

    static quint32 flagsBetween(const Counts &before, const Counts &after);
    // "Comm Event: " + "NULL Error" or the named flags joined by " and " (frame, overrun,
    // parity, then "EV_ERR Unknown EvtMask" for any other flag) + ", EvtMask = " + flags.
    static QByteArray eventText(quint32 flags);

private:
    bool readCounts(Counts &counts) const;

    int m_device;
    bool m_supported;
    Counts m_last;
};
