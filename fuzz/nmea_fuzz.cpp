#include "core/SharedValues.h"
#include "gps/GpsReception.h"
#include "gps/NavigationText.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

// Any bytes as chunks of the GPS line, with the warning on so that the read-outs are
// made too. The odometer must stay a finite number and never go backwards, and the
// course stays within 0..360.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SharedValues shared;
    shared.RadarSystemOn = true;
    QString shown;
    GpsReception gps(
        shared,
        GpsReception::Hooks{
            {}, [&](const NavigationText &t) { shown = t.NAV_LAT + t.NAV_SOG; }, {}, {}, {}});
    const char *bytes = reinterpret_cast<const char *>(data);
    // Cut the input into chunks at every 0x01 byte, as bursts of the line.
    size_t start = 0;
    for (size_t i = 0; i <= size; ++i) {
        if (i < size && bytes[i] != '\x01')
            continue;
        const double before = shared.TripKm;
        gps.VSSComm321ReceiveData(bytes + start, quint16(std::min<size_t>(i - start, 65535)));
        if (!std::isfinite(shared.TripKm) || shared.TripKm < before)
            __builtin_trap();
        const double course = shared.gps.ComputedCourse;
        if (!(course >= 0.0 && course < 360.0))
            __builtin_trap();
        start = i + 1;
    }
    return 0;
}
