#pragma once

#include "log/LabelSprites.h"
#include "log/MapPalette.h"
#include "log/MapViewport.h"

#include <QWidget>

#include <memory>

class MapData;
class MapSource;

// The map's widget: fills its parent and draws the map data around the viewport's
// centre, asking its source for the data of each view. The ground's colour until it has
// a source.
class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget *parent);

    void setSource(std::shared_ptr<MapSource> source);
    // A source of this data alone.
    void setData(std::shared_ptr<const MapData> data);
    // The data of the last view drawn (all of it for a whole extract).
    const std::shared_ptr<const MapData> &data() const { return m_data; }
    // The map's own colours (not the widget's palette).
    void setMapPalette(const MapPalette &palette);
    const MapPalette &mapPalette() const { return m_palette; }
    MapViewport &viewport() { return m_viewport; }
    const MapViewport &viewport() const { return m_viewport; }
    // Redraws after a change of the viewport.
    void viewportChanged();
    // Takes the container's size now: a hidden container tells of a new size only when
    // it is shown.
    void fitContainer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::shared_ptr<MapSource> m_source;
    std::shared_ptr<const MapData> m_data;
    MapViewport m_viewport;
    LabelSprites m_sprites;
    MapPalette m_palette = MapPalette::day();
};
