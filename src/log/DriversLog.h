#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class DriversLogScreen;
class MapScreen;
class PositionSource;
class ScreenHost;
class SystemClock;
struct SharedValues;

// The trip logbook. In business mode LogTimer looks up the place at the car every two
// seconds and writes an entry whenever the car reaches a place other than the last one
// logged: to this month's file in the program directory and to a second copy under the
// configured log path. It also runs the drivers-log menu's entries: the mode, the clock
// steps and the odometer correction. It subscribes to the car's fixes: each valid one
// shows the odometer as it stands after it.
class DriversLog : public QObject {
    Q_OBJECT
public:
    static constexpr int LogInterval = 2000;
    static inline const QString MapMissing = QStringLiteral("Microsoft MapPoint not found");
    static inline const QString Business = QStringLiteral("Mode is BUSINESS");
    static inline const QString Private = QStringLiteral("Mode is PRIVATE");

    struct Context {
        SharedValues &shared;
        ScreenHost &screens;
        DriversLogScreen &screen;
        MapScreen &map;
        SystemClock &clock;
        PositionSource &positions;
        QString programDir;                         // ends with "/"
        std::function<QString()> dualPath;          // "Pathes"/"LOG"; empty: no copy
        std::function<void(const QString &)> trace; // the CAN trace
        std::function<void()> saveSettings;
        std::function<void(bool)> showIndicator; // the status line's pen
    };

    explicit DriversLog(Context context, QObject *parent = nullptr);

    // The fixed test fix of a click on the panel goes to the NMEA reception.
    void setNmeaInput(std::function<void(const QString &)> input) { m_nmea = std::move(input); }
    static QString testSentences();

    QTimer &logTimer() { return m_logTimer; }
    void LogTimerTimer();
    // Writes one entry: the list, the primary file, the second copy.
    void WriteLogEntry(const QString &note);

    void Panel88Click(); // "Show Map"
    void Panel90Click(); // "Mode": business <-> private, then the settings are saved
    void Panel89Click() {}
    void Panel91Click() {}
    // One minute on the computer's clock, never past the day; a refusal is ignored.
    void ClockStepForward();
    void ClockStepBack();
    // The odometer text and TripKm by delta; nothing when the text is not a number.
    void correctOdometer(int delta);
    // Panel97 from TripKm, whole kilometres.
    void showOdometer(double km);
    // The mode text and indicator of a private start.
    void showPrivateMode();

    // The map's answer to its creation.
    void mapCreated(bool ok);

    void DriversLogPanelClick();
    void DriversLogPanelDblClick();

    QString LastLoggedPlace;
    QString LogPrimaryFile;
    QString LogDualFile;

private:
    void stepClock(int minutes);
    void trace(const QString &message) const;
    QString primaryDirectory() const;
    QString dualDirectory() const;

    Context m_context;
    QTimer m_logTimer;
    std::function<void(const QString &)> m_nmea;
};
