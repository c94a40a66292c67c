#include "serial/LineSettings.h"

// The kernel's own termios2 interface: the C library's termios can't carry arbitrary
// speeds, and the two headers can't be mixed in one file.
#include <asm/termbits.h>
#include <cerrno>
#include <sys/ioctl.h>

namespace {

struct StandardRate {
    quint32 rate;
    tcflag_t code;
};

constexpr StandardRate StandardRates[] = {{110, B110},     {300, B300},       {600, B600},
                                          {1200, B1200},   {2400, B2400},     {4800, B4800},
                                          {9600, B9600},   {19200, B19200},   {38400, B38400},
                                          {57600, B57600}, {115200, B115200}, {230400, B230400}};

void setSpeed(termios2 &t, quint32 speed)
{
    t.c_cflag &= ~tcflag_t(CBAUD | (CBAUD << IBSHIFT)); // input speed follows output
    tcflag_t code = BOTHER;
    for (const StandardRate &s : StandardRates) {
        if (s.rate == speed)
            code = s.code;
    }
    t.c_cflag |= code;
    t.c_ispeed = speed;
    t.c_ospeed = speed;
}

void makeRaw(termios2 &t)
{
    t.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IUCLC |
                           IXON | IXOFF | IXANY);
    t.c_oflag &= ~tcflag_t(OPOST);
    t.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
}

} // namespace

int LineSettings::apply(int device) const
{
    termios2 t{};
    if (::ioctl(device, TCGETS2, &t) != 0)
        return errno;
    makeRaw(t);
    setSpeed(t, speed);
    t.c_cflag = controlFlags(t.c_cflag);
    if (::ioctl(device, TCSETS2, &t) != 0)
        return errno;
    return 0;
}

quint32 LineSettings::controlFlags(quint32 present) const
{
    tcflag_t flags = present & ~tcflag_t(PARENB | PARODD | CMSPAR | CSTOPB);
    switch (parity) {
    case TParity::None:
        break;
    case TParity::Odd:
        flags |= PARENB | PARODD;
        break;
    case TParity::Even:
        flags |= PARENB;
        break;
    case TParity::Mark:
        flags |= PARENB | PARODD | CMSPAR;
        break;
    case TParity::Space:
        flags |= PARENB | CMSPAR;
        break;
    }
    constexpr tcflag_t sizes[] = {CS5, CS5, CS6, CS7, CS8};
    if (dataBits != TDataBits::_4)
        flags = (flags & ~tcflag_t(CSIZE)) | sizes[int(dataBits)];
    if (stopBits != TStopBits::_1)
        flags |= CSTOPB;
    return flags;
}

LineSettings LineSettings::fromControlFlags(quint32 flags, quint32 speed)
{
    LineSettings s;
    s.speed = speed;
    if (!(flags & PARENB))
        s.parity = TParity::None;
    else if (flags & CMSPAR)
        s.parity = (flags & PARODD) ? TParity::Mark : TParity::Space;
    else
        s.parity = (flags & PARODD) ? TParity::Odd : TParity::Even;
    switch (flags & CSIZE) {
    case CS5:
        s.dataBits = TDataBits::_5;
        break;
    case CS6:
        s.dataBits = TDataBits::_6;
        break;
    case CS7:
        s.dataBits = TDataBits::_7;
        break;
    default:
        s.dataBits = TDataBits::_8;
        break;
    }
    s.stopBits = (flags & CSTOPB) ? TStopBits::_2 : TStopBits::_1;
    return s;
}

std::optional<LineSettings> LineSettings::read(int device)
{
    termios2 t{};
    if (::ioctl(device, TCGETS2, &t) != 0)
        return std::nullopt;
    return fromControlFlags(t.c_cflag, t.c_ospeed);
}
