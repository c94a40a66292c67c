#pragma once

#include "core/IntervalTimer.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class KnobDecoder;
class QSocketNotifier;

// The knob as the kernel shows it: an input device, named in the settings or found by
// KnobDiscovery, read without any key-sending software in between. Its turns and presses
// become command keys (KnobDecoder). A missing or unplugged device is looked for again
// every 2 s; a device that may not be opened is reported once with the fix. The
// PowerMate's LED pulses while a camera alert is up and glows steadily otherwise.
class KnobDevice : public QObject {
public:
    static constexpr int SearchMs = 2000;
    static constexpr int DefaultLongPressMs = 600;
    // The PowerMate's LED command: brightness in the low byte, then pulse speed, pulse
    // table, pulse while asleep, pulse while awake.
    static constexpr int SteadyLed = 0xFF;
    static constexpr int PulsingLed = 0xFF | (320 << 8) | (1 << 20);

    struct Settings {
        QString device; // empty: found by KnobDiscovery
        int longPressMs = DefaultLongPressMs;
    };
    // Where the devices are; tests point these at trees of their own.
    struct Places {
        QString sysClassInput;
        QString devInput;
        // Opens a device file as open(2) does: a descriptor, or -1 with errno set.
        std::function<int(const QByteArray &path, int flags)> open;
    };
    struct Wiring {
        std::function<void(quint16 key)> keys;
        std::function<void(const QString &line)> systemMessage;
        IntervalTimer::Factory timers;
    };

    static Places systemPlaces();
    static QString permissionText(const QString &path);
    static QString foundText(const QString &path);
    static QString goneText(const QString &path);

    KnobDevice(Settings settings, Wiring wiring, Places places = systemPlaces(),
               QObject *parent = nullptr);
    ~KnobDevice() override;

    // The first look; while no device is open, one more every SearchMs.
    void start();
    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }
    const KnobDecoder &decoder() const { return *m_decoder; }
    void setAlert(bool on);
    // Reads whatever the device holds now (the notifier calls it).
    void readAvailable();

private:
    bool tryOpen();
    QString wantedPath() const;
    void close();
    void lost();
    void writeLed();

    Settings m_settings;
    Wiring m_wiring;
    Places m_places;
    std::unique_ptr<KnobDecoder> m_decoder;
    std::unique_ptr<IntervalTimer> m_search;
    QPointer<QSocketNotifier> m_notifier; // a child: it may go while it signals
    int m_fd = -1;
    QString m_path;
    bool m_alert = false;
    bool m_permissionReported = false;
};
