#include "core/SharedValues.h"
#include "gps/GpsReception.h"
#include "gps/NavigationText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

// A fix the reception took must be a place on Earth with minutes below 60.
bool isPlace(const NavFix &f)
{
    const double lat = std::fabs(f.LatDegrees + f.LatMinutes / 60.0);
    const double lon = std::fabs(f.LonDegrees + f.LonMinutes / 60.0);
    return std::fabs(f.LatMinutes) < 60.0 && std::fabs(f.LonMinutes) < 60.0 && lat <= 90.0 &&
           lon <= 180.0;
}

} // namespace

// Any bytes as chunks of the GPS line (joined across chunks, checksums checked, talkers
// chosen), with the warning on so that the read-outs are made too; then the same bytes
// as the program's own text. The odometer must stay a finite number and never go
// backwards, the course stays within 0..360, and every fix taken is a place.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SharedValues shared;
    shared.RadarSystemOn = true;
    QString shown;
    qint64 now = 0;
    GpsReception::Hooks hooks;
    hooks.showNavigation = [&](const NavigationText &t) {
        shown = t.NAV_LAT + t.NAV_SOG;
    };
    hooks.systemMessage = [&](const QString &line) {
        shown = line;
    };
    hooks.clockMs = [&] {
        return now += 700;
    };
    GpsReception gps(shared, hooks);
    const char *bytes = reinterpret_cast<const char *>(data);
    const auto check = [&](double before) {
        if (!std::isfinite(shared.TripKm) || shared.TripKm < before)
            __builtin_trap();
        const double course = shared.gps.ComputedCourse;
        if (!(course >= 0.0 && course < 360.0))
            __builtin_trap();
        if (!(shared.gps.CurrentFix == NavFix{}) && !isPlace(shared.gps.CurrentFix))
            __builtin_trap();
    };
    // Cut the input into chunks at every 0x01 byte, as bursts of the line.
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i < size && bytes[i] != '\x01')
            continue;
        const double before = shared.TripKm;
        gps.VSSComm321ReceiveData(bytes + start, quint16(std::min<size_t>(i - start, 65535)));
        check(before);
        start = i + 1;
    }
    const double before = shared.TripKm;
    gps.ProcessNmeaText(QString::fromLatin1(bytes, qsizetype(std::min<size_t>(size, 65535))));
    check(before);
    return 0;
}
