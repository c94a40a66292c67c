#pragma once

#include "serial/CommTypes.h"

#include <optional>

// Speed, parity, data bits and stop bits of a serial line, written to and read from a
// device. Any speed is possible: rates without a standard constant go through the
// kernel's arbitrary-rate interface.
class LineSettings {
public:
    quint32 speed = 9600;
    TParity parity = TParity::None;
    TDataBits dataBits = TDataBits::_8;
    TStopBits stopBits = TStopBits::_1;

    // Writes these settings and puts the line into plain byte mode: no line editing, echo,
    // signals, character translation or software flow control (a terminal's XON/XOFF would
    // swallow bytes 0x11 and 0x13), receiver on, modem status lines ignored. Hardware flow
    // control stays as the device had it. Returns 0 or the system error.
    int apply(int device) const;

    // The control flags (c_cflag) of a line with these settings, from the device's present
    // flags: character size, parity and stop bits replaced, the rest kept. Four data bits
    // are beyond the Linux line discipline: the character size is kept then. The speed
    // bits are left alone.
    quint32 controlFlags(quint32 present) const;
    // The settings that control flags and a speed describe. One and a half stop bits read
    // back as two: the line driver makes two into one and a half with five data bits.
    static LineSettings fromControlFlags(quint32 flags, quint32 speed);

    // The device's current settings; nothing when they can't be read.
    static std::optional<LineSettings> read(int device);

    bool operator==(const LineSettings &) const = default;
};
