#pragma once

#include "core/FixPublisher.h"
#include "gps/NmeaLineJoiner.h"
#include "gps/TalkerChoice.h"
#include "gps/Tgps_gga.h"
#include "gps/Tgps_rmc.h"

#include <QString>

#include <functional>

class NavigationText;
class NmeaFrame;
struct SharedValues;

// NMEA reception, the first position source: turns each chunk of the GPS line into the
// current fix, the odometer and the navigation read-outs, then publishes the fix as it
// stands after the burst (the camera warning and the drivers log subscribe).
//
// Sentences cut by a chunk boundary are joined with their rest, a sentence whose
// checksum does not match is dropped (line noise must not become a position), and of
// GGA or RMC sentences from several talkers one talker is used. A chunk is processed to
// its end before the next event is handled: nothing here lets the event loop run, so a
// chunk, key or timer that arrives meanwhile waits in the queue and the fixes are never
// seen half-updated.
class GpsReception : public PositionSource {
public:
    // At most one trace line about dropped sentences in this time.
    static constexpr qint64 DropTraceMs = 60000;

    struct Hooks {
        std::function<void()> dataArrived; // the line watchdog
        // The read-outs of the radar screen, while the warning is on.
        std::function<void(const NavigationText &)> showNavigation;
        std::function<void(const QString &)> systemMessage; // a line for SysMemo
        // After each odometer step: step and total ("0,012 => 1234,567") and the whole
        // kilometres ("1234") for the drivers-log screen.
        std::function<void(const QString &stepText, const QString &wholeKm)> tripShown;
        // Milliseconds of a steady clock for limiting trace lines; empty: the system's.
        std::function<qint64()> clockMs;
    };

    GpsReception(SharedValues &shared, Hooks hooks);

    // Every burst of sentences (a chunk of the line, a text of the program's) ends with
    // its fix published, whatever it carried: the camera check has always run once a burst.
    void subscribe(Subscriber subscriber) override;
    // The fix as the last burst left it.
    Fix fix() const;

    // The GPS port's receive handler: Buffer holds BufferLength bytes; the text ends at
    // the first zero byte.
    void VSSComm321ReceiveData(const char *Buffer, quint16 BufferLength);
    // A text of whole sentences from the program itself (the test texts of the radar
    // screen, the drivers log's test input): not joined with the line's chunks, and its
    // checksums are not checked.
    void ProcessNmeaText(const QString &text);

    // The four test inputs of the radar screen.
    void RadarSystemMessageClick();
    void RadarSensitivityLabelClick();
    void Second_RadarWarning_distanceClick();
    void Nav_scaleClick();

    const Tgps_gga &gga() const { return gps_gga1; }
    const Tgps_rmc &rmc() const { return gps_rmc1; }
    // The last GGA sentence used carried a fix: the position is the car's now, not the
    // last one before the receiver lost it.
    bool hasFix() const { return m_hasFix; }

private:
    enum class Source { Line, Program };

    void processLines(const QStringList &lines, Source source);
    void traceDropped(const NmeaFrame &frame);
    void fixUpdate();
    void showReadOuts();
    qint64 nowMs() const;

    SharedValues &m_shared;
    Hooks m_hooks;
    FixPublisher m_fixes;
    NmeaLineJoiner m_joiner;
    TalkerChoice m_ggaTalker;
    TalkerChoice m_rmcTalker;
    Tgps_gga gps_gga1;
    Tgps_rmc gps_rmc1;
    bool m_hasFix = false;
    qint64 m_lastDropTrace = 0;
    bool m_dropTraced = false;
    int m_dropsUntraced = 0;
};
