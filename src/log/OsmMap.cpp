#include "log/OsmMap.h"

#include "log/MapData.h"
#include "log/MapLoader.h"
#include "log/MapSource.h"
#include "log/MapView.h"
#include "log/MapViewport.h"
#include "log/PlaceFinder.h"

#include <QFileInfo>

OsmMap::OsmMap(std::function<QString()> fileName, std::function<void(const QString &)> report)
    : m_fileName(std::move(fileName)), m_report(std::move(report)),
      m_loader(std::make_unique<MapLoader>())
{
}

OsmMap::~OsmMap() = default;

void OsmMap::create(QWidget *parent, std::function<void(bool ok)> done)
{
    if (isCreated() || !parent) {
        if (done)
            done(isCreated());
        return;
    }
    if (!m_view) {
        m_view = new MapView(parent);
        m_view->setMapPalette(m_palette);
    }
    m_waiting.push_back(std::move(done));
    if (m_loader->isLoading())
        return;
    const QString path = m_fileName ? m_fileName() : QString();
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        loaded(nullptr, QStringLiteral("no map file %1").arg(path));
        return;
    }
    m_loader->start(path, [this, name = file.fileName()](MapLoader::Result result) {
        if (!result.source && m_report)
            m_report(QStringLiteral("Map: ") + result.error);
        if (result.source && m_report)
            result.source->setDamageReport([report = m_report, name] {
                report(QStringLiteral("Map: %1 has a damaged part, left out of the map").arg(name));
            });
        loaded(std::move(result.source), result.error);
    });
}

void OsmMap::loaded(std::shared_ptr<MapSource> source, const QString &error)
{
    m_source = std::move(source);
    m_error = error;
    if (m_source && m_view) {
        const GeoBox bounds = m_source->bounds();
        m_view->viewport().centre((bounds.south + bounds.north) / 2.0,
                                  (bounds.west + bounds.east) / 2.0, 1.0);
        m_view->setSource(m_source);
    }
    const bool ok = isCreated();
    for (auto &done : std::exchange(m_waiting, {}))
        if (done)
            done(ok);
}

QWidget *OsmMap::view() const { return m_view; }

MapView *OsmMap::mapView() const { return m_view; }

bool OsmMap::isCreated() const { return m_source && m_view; }

bool OsmMap::centre(double latitude, double longitude, double altitude)
{
    if (!isCreated())
        return false;
    m_view->fitContainer();
    if (!m_view->viewport().centre(latitude, longitude, altitude))
        return false;
    m_view->viewportChanged();
    return true;
}

bool OsmMap::setAltitude(double altitude)
{
    if (!isCreated())
        return false;
    m_view->fitContainer();
    if (!m_view->viewport().setAltitude(altitude))
        return false;
    m_view->viewportChanged();
    return true;
}

bool OsmMap::pan(int directionCode, double amount)
{
    if (!isCreated())
        return false;
    m_view->fitContainer();
    if (!m_view->viewport().pan(directionCode, amount))
        return false;
    m_view->viewportChanged();
    return true;
}

QString OsmMap::placeAt(double latitude, double longitude)
{
    return placeAlong(latitude, longitude, std::nullopt);
}

QString OsmMap::placeAlong(double latitude, double longitude, std::optional<double> course)
{
    if (!isCreated())
        return {};
    if (!MapViewport::isPosition(latitude, longitude))
        return {};
    return PlaceFinder(*m_source->lookUp(latitude, longitude)).placeAt(latitude, longitude, course);
}

void OsmMap::setPalette(const MapPalette &palette)
{
    m_palette = palette;
    if (m_view)
        m_view->setMapPalette(palette);
}
