#pragma once

#include <QtGlobal>

#include <array>

// The settings of a serial line as the component publishes them. The names and the order
// of the values are fixed: stored window descriptions and settings refer to them.

enum class TCommPort { Com1, Com2, Com3, Com4, Com5, Com6, Com7, Com8, Com9 };

enum class TBaudRate {
    ____110,
    ____300,
    ____600,
    ___1200,
    ___2400,
    ___4800,
    ___9600,
    __14400,
    __19200,
    __38400,
    __56000,
    _128000,
    _256000
};

// Passed to the line as the codes 0 to 4.
enum class TParity { None, Odd, Even, Mark, Space };

enum class TDataBits { _4, _5, _6, _7, _8 };

// Passed to the line as the codes 0 (one), 1 (one and a half), 2 (two).
enum class TStopBits { _1, _1_5, _2 };

constexpr int CommPortCount = 9;

constexpr quint32 bitsPerSecond(TBaudRate rate)
{
    constexpr std::array<quint32, 13> rates = {110,   300,   600,   1200,  2400,   4800,  9600,
                                               14400, 19200, 38400, 56000, 128000, 256000};
    return rates[size_t(rate)];
}

constexpr int dataBitCount(TDataBits bits) { return int(bits) + 4; }
