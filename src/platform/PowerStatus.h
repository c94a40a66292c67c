#pragma once

#include <QtGlobal>

// What the power supply reports, in the terms of the power status line: the source, the
// battery flag bits and the charge.
struct PowerStatus {
    enum class Source { Battery, Mains, Unknown };

    // Battery flag bits; several may be set at once.
    static constexpr quint8 High = 1;
    static constexpr quint8 Low = 2;
    static constexpr quint8 Critical = 4;
    static constexpr quint8 Charging = 8;
    static constexpr quint8 NoBattery = 128;
    static constexpr quint8 UnknownFlag = 255;

    Source source = Source::Unknown;
    quint8 batteryFlag = UnknownFlag;
    int chargePercent = -1; // -1: unknown
};
