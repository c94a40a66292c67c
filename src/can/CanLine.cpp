#include "can/CanLine.h"

#include "can/CanHex.h"

CanLine CanLine::read(const QString &line)
{
    CanLine l;
    l.type = CanHex::HexValue(QStringView(line).left(2));
    // Characters 5-6 are read by the adapter's format but mean nothing here.
    l.value = CanHex::HexValue(QStringView(line).mid(2, 2));
    if (l.type == Identity)
        l.identity = line.mid(2, IdentityLength);
    return l;
}

QString CanLine::keyPositionCaption(int value)
{
    switch (value) {
    case 0x00:
        return QStringLiteral("Ignition off");
    case 0x01:
        return QStringLiteral("Ignition Key 0");
    case 0x02:
        return QStringLiteral("Ignition Key 1");
    case 0x03:
        return QStringLiteral("Ignition Key 2");
    case 0xFF:
        return QStringLiteral("Ignition Engine starting");
    default:
        return QStringLiteral("Ignition invalid ");
    }
}

QString CanLine::gearCaption(int value)
{
    switch (value) {
    case 0x05:
        return QStringLiteral("D");
    case 0x06:
        return QStringLiteral("N");
    case 0x07:
        return QStringLiteral("R");
    case 0x08:
        return QStringLiteral("P");
    case 0x0C:
        return QStringLiteral("S");
    case 0x0E:
        return QStringLiteral("M");
    default:
        return QStringLiteral("Gear Status %1 is invalid ").arg(value);
    }
}

QString CanLine::lightCaption(int value)
{
    switch (value) {
    case 0x00:
        return QStringLiteral("Light Off ");
    case 0x01:
        return QStringLiteral("Light Park ");
    case 0x02:
        return QStringLiteral("Light Lower ");
    case 0x03:
        return QStringLiteral("Light Upper ");
    default:
        return QStringLiteral("Light Status invalid ");
    }
}
