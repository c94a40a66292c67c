#pragma once

// A rectangle of latitude and longitude in degrees, south <= north and west <= east.
struct GeoBox {
    double south = 0.0;
    double west = 0.0;
    double north = 0.0;
    double east = 0.0;
};
