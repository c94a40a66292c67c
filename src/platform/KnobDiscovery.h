#pragma once

#include <QString>

// Finds the knob among the input devices the kernel lists under /sys/class/input: the
// first event device (in number order) whose name contains "PowerMate" or that reports a
// relative dial axis.
class KnobDiscovery {
public:
    static inline const QString SysClassInput = QStringLiteral("/sys/class/input");
    static inline const QString DevInput = QStringLiteral("/dev/input");

    // The device file (devInput + "/eventN"); empty when there is no such device.
    static QString find(const QString &sysClassInput = SysClassInput,
                        const QString &devInput = DevInput);
    // Whether the kernel's text of a relative-axis bitmap ("capabilities/rel": hex words,
    // the highest first) holds the dial axis.
    static bool hasDialAxis(const QByteArray &relCapabilities);
};
