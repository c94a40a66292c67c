#include "gps/RadarMap.h"

#include "core/NumberText.h"
#include "widgets/PictureLight.h"
#include "widgets/SkinFont.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

const QColor RadarMap::TextBackground{255, 204, 153};

namespace {
constexpr double RadPerDegree = std::numbers::pi / 180.0;
constexpr int MinimumSide = 20;
constexpr int BracketHalf = 10;
constexpr int BracketGap = 5;
constexpr int DotReach = 8 + 2;
} // namespace

RadarMap::RadarMap(const QImage &background)
    : m_textFont(SkinFont::points(SkinFont::Narrow, 16, true))
{
    const QFontMetrics metrics(m_textFont);
    m_textReach = TextOffset.x() +
                  metrics.horizontalAdvance(QStringLiteral("000000.000 km, -2147483648 kmh")) +
                  metrics.height();
    setBackground(background);
    m_bitmap = m_background;
}

void RadarMap::setBackground(const QImage &picture)
{
    if (picture.width() >= MinimumSide && picture.height() >= MinimumSide) {
        m_picture = picture.convertToFormat(QImage::Format_RGB32);
    } else {
        m_picture = QImage(StandardSize, QImage::Format_RGB32);
        m_picture.fill(Qt::black);
    }
    m_background = PictureLight::dimmed(m_picture, m_light);
}

void RadarMap::setBackgroundLight(qreal light)
{
    if (light == m_light)
        return; // every colour pass sets it; the picture is dimmed only when it changes
    m_light = light;
    m_background = PictureLight::dimmed(m_picture, m_light);
    // The texts' ground dims less, so that their black text stays legible.
    const qreal textLight = qBound(0.6, light, 1.0);
    m_textBackground = QColor::fromRgbF(float(TextBackground.redF() * textLight),
                                        float(TextBackground.greenF() * textLight),
                                        float(TextBackground.blueF() * textLight));
}

int RadarMap::markerHalfSize(double scaleKm)
{
    struct Step {
        double scale;
        int half;
    };
    static constexpr Step Steps[] = {{20, 3}, {10, 4}, {5, 4},   {4, 4},  {3, 4},
                                     {2, 5},  {1, 6},  {0.5, 7}, {0.3, 8}};
    for (const Step &s : Steps) {
        if (scaleKm == s.scale)
            return s.half;
    }
    return 1;
}

int RadarMap::roundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    return int(std::nearbyint(std::clamp(value, -1e6, 1e6)));
}

QString RadarMap::entryText(const MapEntry &entry)
{
    return NumberText::format(QStringLiteral("0.000"), entry.DistanceKm) + " km, " +
           QString::number(entry.SpeedLimit) + " kmh";
}

double RadarMap::pxPerKm(double scaleKm) const
{
    return (m_background.height() - 10) / 2.0 / scaleKm;
}

QPoint RadarMap::centre() const { return {m_background.width() / 2, m_background.height() / 2}; }

QPoint RadarMap::position(const MapEntry &entry, double scaleKm) const
{
    const int r = roundHalfEven(pxPerKm(scaleKm) * entry.DistanceKm);
    const double theta = entry.BearingOffset * RadPerDegree;
    const QPoint c = centre();
    return {c.x() + roundHalfEven(std::sin(theta) * r), c.y() - roundHalfEven(std::cos(theta) * r)};
}

double RadarMap::reachKm(double scaleKm, int reach) const
{
    const double halfDiagonal =
        std::hypot(m_background.width() / 2.0 + 1, m_background.height() / 2.0 + 1);
    return (halfDiagonal + reach + 2) / pxPerKm(scaleKm);
}

double RadarMap::coverageKm(double scaleKm) const
{
    return reachKm(scaleKm, scaleKm < TextScaleKm ? m_textReach : DotReach);
}

double RadarMap::listCoverageKm(double scaleKm) const
{
    // A car standing still keeps the last list while the scale steps up and down: the
    // widest dot-only scale and the widest scale with texts bound every later view.
    return std::max({coverageKm(scaleKm), reachKm(LargestScaleKm, DotReach),
                     reachKm(TextScaleKm, m_textReach)});
}

bool RadarMap::drawable(const MapEntry &entry)
{
    return std::isfinite(entry.DistanceKm) && std::isfinite(entry.BearingOffset);
}

double RadarMap::usableScale(double scaleKm)
{
    return scaleKm > 0.0 && std::isfinite(scaleKm) ? scaleKm : 1.0;
}

const QImage &RadarMap::DrawRadarMap(double MapScaleKm, double WarningDistanceKm,
                                     bool RadarSystemOn, bool rebuilt,
                                     const std::vector<MapEntry> &entries)
{
    m_bitmap = m_background;
    if (!RadarSystemOn)
        return m_bitmap;
    const double scale = usableScale(MapScaleKm);
    const int halfSize = rebuilt ? markerHalfSize(scale) : 0;

    QPainter p(&m_bitmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor pen = Qt::red;
    for (const MapEntry &entry : entries) {
        if (!drawable(entry))
            continue;
        drawEntry(p, entry, halfSize, scale);
        pen = scale < TextScaleKm ? Qt::red : Qt::black;
    }
    drawSector(p, scale, WarningDistanceKm, pen);
    return m_bitmap;
}

void RadarMap::drawEntry(QPainter &p, const MapEntry &entry, int halfSize, double scaleKm)
{
    const QPoint at = position(entry, scaleKm);
    if (halfSize > 0) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::black);
        p.drawEllipse(at, halfSize, halfSize);
    }
    if (scaleKm >= TextScaleKm)
        return;
    p.setPen(QPen(Qt::red, 2, Qt::SolidLine, Qt::FlatCap));
    const int left = at.x() - BracketHalf;
    const int right = at.x() + BracketHalf;
    const int top = at.y() - BracketHalf;
    const int bottom = at.y() + BracketHalf;
    p.drawLine(left, top, left, bottom);
    p.drawLine(right, top, right, bottom);
    for (const int y : {top, bottom}) {
        p.drawLine(left, y, at.x() - BracketGap, y);
        p.drawLine(at.x() + BracketGap, y, right, y);
    }
    const QString text = entryText(entry);
    const QFontMetrics metrics(m_textFont);
    const QRect box(at + TextOffset, QSize(metrics.horizontalAdvance(text), metrics.height()));
    p.fillRect(box, m_textBackground);
    p.setFont(m_textFont);
    p.setPen(Qt::black);
    p.drawText(box.left(), box.top() + metrics.ascent(), text);
}

void RadarMap::drawSector(QPainter &p, double scaleKm, double warningKm, const QColor &colour)
{
    if (!std::isfinite(warningKm))
        return;
    p.setPen(QPen(colour, 2));
    const int rw = roundHalfEven(pxPerKm(scaleKm) * warningKm);
    const QPoint c = centre();
    for (const int degrees : {SectorDegrees, 360 - SectorDegrees}) {
        const double a = degrees * RadPerDegree;
        p.drawLine(c,
                   c + QPoint(roundHalfEven(std::sin(a) * rw), -roundHalfEven(std::cos(a) * rw)));
    }
}
