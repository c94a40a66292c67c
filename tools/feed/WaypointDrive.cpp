#include "WaypointDrive.h"

#include "NmeaSentence.h"
#include "Sphere.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

constexpr double KmPerNauticalMile = 1.852;

std::optional<GeoPoint> waypoint(const QByteArray &line)
{
    QByteArray cleaned = line;
    cleaned.replace(',', ' ');
    const QList<QByteArray> words = cleaned.simplified().split(' ');
    if (words.size() != 2)
        return std::nullopt;
    bool latOk = false, lonOk = false;
    const GeoPoint p{words[0].toDouble(&latOk), words[1].toDouble(&lonOk)};
    if (!latOk || !lonOk || !std::isfinite(p.latitude) || !std::isfinite(p.longitude) ||
        std::fabs(p.latitude) > 89.0 || std::fabs(p.longitude) > 180.0)
        return std::nullopt;
    return p;
}

} // namespace

WaypointDrive::WaypointDrive(std::vector<GeoPoint> waypoints, double speedKmh, QDateTime startUtc)
    : m_waypoints(std::move(waypoints)), m_speedKmh(speedKmh), m_start(std::move(startUtc))
{
    double km = 0;
    for (size_t i = 0; i < m_waypoints.size(); ++i) {
        m_legStartKm.push_back(km);
        if (i + 1 < m_waypoints.size())
            km += Sphere::distanceKm(m_waypoints[i], m_waypoints[i + 1]);
    }
}

double WaypointDrive::lengthKm() const { return m_legStartKm.empty() ? 0.0 : m_legStartKm.back(); }

DriveFix WaypointDrive::fixAt(double km, int second, bool moving) const
{
    // The leg that holds km: the last one whose start is not beyond it.
    const auto next = std::upper_bound(m_legStartKm.begin(), m_legStartKm.end() - 1, km);
    const size_t leg = size_t(std::max<std::ptrdiff_t>(0, (next - m_legStartKm.begin()) - 1));
    const GeoPoint from = m_waypoints[leg];
    const GeoPoint to = m_waypoints[std::min(leg + 1, m_waypoints.size() - 1)];
    const double legKm = Sphere::distanceKm(from, to);
    const double fraction = legKm > 0 ? std::clamp((km - m_legStartKm[leg]) / legKm, 0.0, 1.0) : 0;

    DriveFix fix;
    fix.utc = m_start.addSecs(second);
    fix.position = Sphere::along(from, to, fraction);
    fix.courseDegrees = legKm > 0 ? Sphere::courseDegrees(from, to) : 0;
    fix.speedKnots = moving ? m_speedKmh / KmPerNauticalMile : 0;
    return fix;
}

std::vector<DriveFix> WaypointDrive::fixes() const
{
    std::vector<DriveFix> out;
    if (m_waypoints.empty() || !(m_speedKmh > 0))
        return out;
    const double stepKm = m_speedKmh / 3600.0;
    const double total = lengthKm();
    if (total / stepKm > MaxSeconds)
        return out;
    int second = 0;
    for (; second * stepKm < total; ++second)
        out.push_back(fixAt(second * stepKm, second, true));
    DriveFix last = fixAt(total, second, false);
    last.position = m_waypoints.back();
    out.push_back(last);
    return out;
}

QByteArray WaypointDrive::nmeaLog() const
{
    QByteArray log;
    for (const DriveFix &fix : fixes())
        log += NmeaSentence::gga(fix) + "\r\n" + NmeaSentence::rmc(fix) + "\r\n";
    return log;
}

std::optional<std::vector<GeoPoint>> WaypointDrive::parseWaypoints(const QByteArray &text,
                                                                   QString *error)
{
    std::vector<GeoPoint> points;
    int number = 0;
    for (const QByteArray &raw : text.split('\n')) {
        ++number;
        const qsizetype comment = raw.indexOf('#');
        const QByteArray line = (comment < 0 ? raw : raw.left(comment)).trimmed();
        if (line.isEmpty())
            continue;
        const std::optional<GeoPoint> p = waypoint(line);
        if (!p) {
            if (error)
                *error = QStringLiteral("line %1: expected \"latitude longitude\"").arg(number);
            return std::nullopt;
        }
        points.push_back(*p);
    }
    if (points.empty()) {
        if (error)
            *error = QStringLiteral("no waypoints");
        return std::nullopt;
    }
    return points;
}
