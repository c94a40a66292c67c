#pragma once

#include <QString>

#include <array>
#include <vector>

// Every key of Rovana.ini as one value. The Linux additions (Devices, ExitOptions/Shell,
// Map, Knob) are read at load and never written: a save keeps them as the file has them. The
// "Night" keys are the exception: the options page "Screen" sets them.
struct Settings {
    enum class Key {
        MainImage,       // Pathes/MAIN
        Mp3Bitmap,       // Bitmaps/MP3PlayingBackgroundBitmap
        Mp3Path,         // Pathes/MP3
        MoviePath,       // Pathes/MOVIE
        LogPath,         // Pathes/LOG: the drivers log's second copy
        WarningSound,    // Sounds/Warning
        LastLogEntry,    // Driverslog/last entry
        MainColour,      // Colors/ComandPanel_ComandColor
        Swatches,        // colors/cpx1.color .. cpx10.color
        ExitChoice,      // ExitOptions/RadioGroup1.ItemIndex
        GpsEnabled,      // GPSMouseOptions/Enabled
        Can2ComEnabled,  // CAN2ComPort/Enabled
        RadarWarning,    // Global_radarwarning/Enabled
        BusinessLog,     // Global_log/Enabled (read, never applied: every start is private)
        GpsPort,         // GPSComPort/RadioGroup3.ItemIndex
        Can2ComPort,     // CAN2ComPort/RadioGroup4.ItemIndex
        OdometerKm,      // LastRecorded/km
        Mouse,           // MouseOptions/Enabled
        Devices,         // Devices/COM1 .. COM9
        Shell,           // ExitOptions/Shell
        MapFile,         // Map/File
        MapNight,        // Map/Night
        GpsSource,       // Devices/GPS: empty (the COM port) or gpsd[:HOST[:PORT]]
        KnobDevice,      // Knob/Device: empty finds the knob
        KnobLongPress,   // Knob/LongPress, ms
        NightSource,     // Night/Source: lights, sun, day, night; empty: by the CAN2COM link
        NightBrightness, // Night/Brightness: the brightness knob's position by night
    };

    static constexpr int ExitChoiceCount = 6;
    static constexpr int PortCount = 9; // COM1 .. COM9
    static constexpr std::array<quint32, 10> SwatchDefaults{
        0x0099B8CD, 0x0085AAC2, 0x00709BB8, 0x003C99AE, 0x00808040,
        0x00EBF34B, 0x00F89D94, 0x00408080, 0x00C209FF, 0x0000FFFF};

    QString mainImage;
    QString mp3Bitmap;
    QString mp3Path;
    QString moviePath;
    QString logPath;
    QString warningSound;
    QString lastLogEntry;
    quint32 mainColour = 0x0099B8CD; // 0x00BBGGRR
    std::array<quint32, 10> swatches = SwatchDefaults;
    int exitChoice = 0; // -1: no choice
    bool gpsEnabled = true;
    bool can2comEnabled = false;
    bool radarWarning = false;
    bool businessLog = false;
    int gpsPort = 0; // 0 = COM1; -1: no choice
    int can2comPort = 0;
    qint32 odometerKm = 0;
    bool mouse = false;
    std::array<QString, PortCount> devices; // the device of COMn
    QString shell;
    QString mapFile;
    bool mapNight = false;
    QString gpsSource;
    QString knobDevice;
    int knobLongPressMs = 600;
    QString nightSource;
    static constexpr int NightBrightnessDefault = 96;
    static constexpr int NightBrightnessMax = 255;
    int nightBrightness = NightBrightnessDefault;

    bool operator==(const Settings &) const = default;

    // The keys whose values differ, in the order of Key.
    static std::vector<Key> differences(const Settings &a, const Settings &b);
};
