#pragma once

#include "log/MapComponent.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class MapData;
class MapLoader;
class MapView;

// The map of the drivers log over an OpenStreetMap extract of the driver's region: the
// file is read once at creation, on a thread of its own, and then drawn and searched in
// memory.
class OsmMap : public MapComponent {
public:
    // fileName is asked at creation: the settings are loaded by then.
    explicit OsmMap(std::function<QString()> fileName);
    ~OsmMap() override;
    OsmMap(const OsmMap &) = delete;
    OsmMap &operator=(const OsmMap &) = delete;

    // A creation while the file is read waits for the same read; after a failure the
    // next creation reads the file again.
    void create(QWidget *parent, std::function<void(bool ok)> done) override;
    QWidget *view() const override;
    bool centre(double latitude, double longitude, double altitude) override;
    bool setAltitude(double altitude) override;
    bool pan(int directionCode, double amount) override;
    QString placeAt(double latitude, double longitude) override;
    QString placeAlong(double latitude, double longitude, std::optional<double> course) override;
    void setPalette(const MapPalette &palette) override;

    bool isCreated() const;
    MapView *mapView() const;
    // Why the last creation failed.
    QString error() const { return m_error; }

private:
    void loaded(std::shared_ptr<const MapData> data, const QString &error);

    std::function<QString()> m_fileName;
    QPointer<MapView> m_view;
    std::unique_ptr<MapLoader> m_loader;
    std::shared_ptr<const MapData> m_data;
    std::vector<std::function<void(bool)>> m_waiting;
    QString m_error;
    MapPalette m_palette = MapPalette::day();
};
