#pragma once

#include <QString>

// The name udev gives a USB serial adapter after what it is (vendor, model, serial
// number) rather than the order it was found in: a link under /dev/serial/by-id that
// follows the adapter to whatever /dev/ttyUSBn it gets when it comes back.
class SerialByIdName {
public:
    static inline const QString Dir = QStringLiteral("/dev/serial/by-id");

    // The link in dir that leads to the same device as path; empty when there is none or
    // when path is such a link already.
    static QString of(const QString &path, const QString &dir = Dir);
};
