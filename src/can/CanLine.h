#pragma once

#include <QString>

// One filtered CAN2COM line read into its fields, and the captions the read-outs show
// for the values of the status lines. Characters 1-2 are the type, 3-4 the value (both
// hexadecimal, -1 when unreadable); an identity line carries characters 3-19.
class CanLine {
public:
    static constexpr int KeyPosition = 0x10;
    static constexpr int Gear = 0x11;
    static constexpr int Light = 0x12;
    static constexpr int Identity = 0x13;
    static constexpr int Wheel = 0x16;
    static constexpr int IdentityLength = 17;
    static constexpr int GearDrive = 0x05;

    static CanLine read(const QString &line);

    // "Ignition off" .. "Ignition Engine starting", else "Ignition invalid ".
    static QString keyPositionCaption(int value);
    // "D", "N", "R", "P", "S", "M", else "Gear Status <value> is invalid ".
    static QString gearCaption(int value);
    // "Light Off " .. "Light Upper ", else "Light Status invalid ".
    static QString lightCaption(int value);

    int type = -1;
    int value = -1;
    QString identity;
};
