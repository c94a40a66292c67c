#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>

#include <optional>

// Whether the screen shows its night scheme, from the car's light switch, from the sun at
// the last known position, or fixed. A change the source asks for is held for HoldSeconds
// before it applies, so that a tunnel or a flash of the light switch does not flip the
// screen. Time comes in with each call, so the hold follows whatever clock the caller has.
class NightSwitch : public QObject {
    Q_OBJECT
public:
    enum class Source { Lights, Sun, Day, Night };
    enum class Lights { Off, Park, Lower, Upper };
    static constexpr int HoldSeconds = 10;

    // The texts of "Night"/"Source": "lights", "sun", "day", "night" (any case).
    static std::optional<Source> sourceFromText(const QString &text);
    static QString sourceText(Source source);
    // The source a setting names; an empty or unknown one: the lights when the CAN2COM link
    // is enabled, else the sun.
    static Source sourceFor(const QString &text, bool can2comEnabled);

    explicit NightSwitch(QObject *parent = nullptr);

    Source source() const { return m_source; }
    // Applies at once, without the hold: the driver chose it.
    void setSource(Source source, const QDateTime &now);
    // The light switch as the CAN2COM link reports it; "Park" keeps the current scheme.
    void lightsChanged(Lights lights, const QDateTime &now);
    // The last position with a valid fix, degrees north and east.
    void positionChanged(double latitude, double longitude, const QDateTime &now);
    // Called regularly (every second will do): the sun moves, and held changes mature.
    void tick(const QDateTime &now);

    bool isNight() const { return m_night; }

signals:
    void nightChanged(bool night);

private:
    bool wanted(const QDateTime &now) const;
    void consider(const QDateTime &now);
    void apply(bool night);

    Source m_source = Source::Sun;
    std::optional<bool> m_lightsNight; // what the switch last said, Park aside
    std::optional<std::pair<double, double>> m_position;
    bool m_night = false;
    std::optional<bool> m_pending; // the change being held, since m_pendingSince
    QDateTime m_pendingSince;
};
