#pragma once

#include "log/MapPalette.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

// The map of the drivers log: drawn on the map screen and asked for the place (street and
// town) at the car's position. Latitudes and longitudes are decimal degrees, north and
// east positive. Every call on a map that isn't created does nothing.
class MapComponent {
public:
    virtual ~MapComponent() = default;

    // Creates and sets up the map inside parent. done(true) once it can draw and look up
    // places, done(false) when it can't (no map data); done runs on the UI thread, perhaps
    // before create returns. Loading may take a while; the screen stays responsive.
    virtual void create(QWidget *parent, std::function<void(bool ok)> done) = 0;
    // The map's own widget (null before create).
    virtual QWidget *view() const = 0;

    // Shows the point at the altitude (the zoom factor, 1.0 or more). False on failure.
    virtual bool centre(double latitude, double longitude, double altitude) = 0;
    // The current centre at a new altitude.
    virtual bool setAltitude(double altitude) = 0;
    // One step of amount in the direction code: 8 north, 2 south, 4 west, 6 east.
    virtual bool pan(int directionCode, double amount) = 0;
    // The street-address text at the point, "n/a" when nothing usable lies there, an
    // empty text when the look-up itself fails.
    virtual QString placeAt(double latitude, double longitude) = 0;
    // The same for a car on the course (degrees clockwise from north): of two roads near,
    // the one it drives along.
    virtual QString placeAlong(double latitude, double longitude, std::optional<double> course)
    {
        (void)course;
        return placeAt(latitude, longitude);
    }
    // The colours to draw with from now on.
    virtual void setPalette(const MapPalette &palette) { (void)palette; }
};
