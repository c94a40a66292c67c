#pragma once

#include "gps/CameraRecord.h"

#include <QString>
#include <QStringList>

#include <vector>

// A camera list as text, one camera per line: latitude, longitude (decimal degrees, north
// and east positive, "." as the decimal point) and the speed limit in km/h, separated by
// commas, semicolons or blanks; further fields are ignored. Blank lines and lines starting
// with "#" are skipped.
class CameraListText {
public:
    struct Parsed {
        std::vector<CameraRecord> cameras;
        QStringList errors; // "line 7: ..." for each line that is not a camera
    };

    static Parsed parse(const QString &text);
};
