#pragma once

#include <QDateTime>

#include <optional>

// Civil twilight (the sun's centre 6 degrees below the horizon) from the solar position
// formulas of the national almanacs (Meeus' low-precision sun, about a minute at the
// latitudes people drive). Night is between the end of civil twilight in the evening
// and its start in the morning.
class CivilTwilight {
public:
    // One UTC day's morning and evening twilight at a place. Where the sun stays above
    // the twilight line all day (polar summer) both are empty and allDay is set; where
    // it stays below (polar winter) both are empty.
    struct Day {
        std::optional<QDateTime> dawn; // start of morning civil twilight, UTC
        std::optional<QDateTime> dusk; // end of evening civil twilight, UTC
        bool allDay = false;
    };

    // date: a UTC calendar day; latitude north and longitude east positive, degrees.
    static Day on(QDate date, double latitude, double longitude);
    // Whether it is night at that moment (UTC) and place.
    static bool isNight(const QDateTime &utc, double latitude, double longitude);
};
