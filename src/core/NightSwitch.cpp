#include "core/NightSwitch.h"

#include "core/CivilTwilight.h"

namespace {

struct SourceName {
    NightSwitch::Source source;
    const char *text;
};

constexpr SourceName SourceNames[] = {{NightSwitch::Source::Lights, "lights"},
                                      {NightSwitch::Source::Sun, "sun"},
                                      {NightSwitch::Source::Day, "day"},
                                      {NightSwitch::Source::Night, "night"}};

} // namespace

std::optional<NightSwitch::Source> NightSwitch::sourceFromText(const QString &text)
{
    const QString wanted = text.trimmed().toLower();
    for (const SourceName &name : SourceNames) {
        if (wanted == QLatin1String(name.text))
            return name.source;
    }
    return std::nullopt;
}

QString NightSwitch::sourceText(Source source)
{
    for (const SourceName &name : SourceNames) {
        if (name.source == source)
            return QLatin1String(name.text);
    }
    return {};
}

NightSwitch::Source NightSwitch::sourceFor(const QString &text, bool can2comEnabled)
{
    return sourceFromText(text).value_or(can2comEnabled ? Source::Lights : Source::Sun);
}

NightSwitch::NightSwitch(QObject *parent) : QObject(parent) {}

void NightSwitch::setSource(Source source, const QDateTime &now)
{
    m_source = source;
    apply(wanted(now));
}

void NightSwitch::lightsChanged(Lights lights, const QDateTime &now)
{
    if (lights == Lights::Off)
        m_lightsNight = false;
    else if (lights == Lights::Lower || lights == Lights::Upper)
        m_lightsNight = true;
    consider(now);
}

void NightSwitch::positionChanged(double latitude, double longitude, const QDateTime &now)
{
    m_position = {latitude, longitude};
    consider(now);
}

void NightSwitch::tick(const QDateTime &now) { consider(now); }

bool NightSwitch::wanted(const QDateTime &now) const
{
    switch (m_source) {
    case Source::Lights:
        return m_lightsNight.value_or(m_night);
    case Source::Sun:
        // Without any fix yet: day.
        return m_position && CivilTwilight::isNight(now, m_position->first, m_position->second);
    case Source::Day:
        return false;
    case Source::Night:
        return true;
    }
    return m_night;
}

void NightSwitch::consider(const QDateTime &now)
{
    const bool night = wanted(now);
    if (night == m_night) {
        m_pending.reset();
        return;
    }
    if (m_pending != night) {
        m_pending = night;
        m_pendingSince = now;
    }
    if (m_pendingSince.secsTo(now) >= HoldSeconds)
        apply(night);
}

void NightSwitch::apply(bool night)
{
    m_pending.reset();
    if (night == m_night)
        return;
    m_night = night;
    emit nightChanged(night);
}
