#pragma once

#include "log/MapComponent.h"

#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class MapLoader;
class MapSource;
class MapView;

// The map of the drivers log over the driver's region: a prepared map (.rovanamap) read
// tile by tile as the view and the look-up need them, or a small OpenStreetMap extract read
// once at creation, on a thread of its own, and then drawn and searched in memory.
class OsmMap : public MapComponent {
public:
    // fileName is asked at creation: the settings are loaded by then. report takes a line
    // for the system messages when a map file is refused.
    explicit OsmMap(std::function<QString()> fileName,
                    std::function<void(const QString &)> report = nullptr);
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
    void loaded(std::shared_ptr<MapSource> source, const QString &error);

    std::function<QString()> m_fileName;
    std::function<void(const QString &)> m_report;
    QPointer<MapView> m_view;
    std::unique_ptr<MapLoader> m_loader;
    std::shared_ptr<MapSource> m_source;
    std::vector<std::function<void(bool)>> m_waiting;
    QString m_error;
    MapPalette m_palette = MapPalette::day();
};
