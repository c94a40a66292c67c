#include "core/Settings.h"

std::vector<Settings::Key> Settings::differences(const Settings &a, const Settings &b)
{
    std::vector<Key> keys;
    const auto differs = [&](bool different, Key key) {
        if (different)
            keys.push_back(key);
    };
    differs(a.mainImage != b.mainImage, Key::MainImage);
    differs(a.mp3Bitmap != b.mp3Bitmap, Key::Mp3Bitmap);
    differs(a.mp3Path != b.mp3Path, Key::Mp3Path);
    differs(a.moviePath != b.moviePath, Key::MoviePath);
    differs(a.logPath != b.logPath, Key::LogPath);
    differs(a.warningSound != b.warningSound, Key::WarningSound);
    differs(a.lastLogEntry != b.lastLogEntry, Key::LastLogEntry);
    differs(a.mainColour != b.mainColour, Key::MainColour);
    differs(a.swatches != b.swatches, Key::Swatches);
    differs(a.exitChoice != b.exitChoice, Key::ExitChoice);
    differs(a.gpsEnabled != b.gpsEnabled, Key::GpsEnabled);
    differs(a.can2comEnabled != b.can2comEnabled, Key::Can2ComEnabled);
    differs(a.radarWarning != b.radarWarning, Key::RadarWarning);
    differs(a.businessLog != b.businessLog, Key::BusinessLog);
    differs(a.gpsPort != b.gpsPort, Key::GpsPort);
    differs(a.can2comPort != b.can2comPort, Key::Can2ComPort);
    differs(a.odometerKm != b.odometerKm, Key::OdometerKm);
    differs(a.mouse != b.mouse, Key::Mouse);
    differs(a.devices != b.devices, Key::Devices);
    differs(a.shell != b.shell, Key::Shell);
    differs(a.mapFile != b.mapFile, Key::MapFile);
    differs(a.mapNight != b.mapNight, Key::MapNight);
    differs(a.gpsSource != b.gpsSource, Key::GpsSource);
    differs(a.knobDevice != b.knobDevice, Key::KnobDevice);
    differs(a.knobLongPressMs != b.knobLongPressMs, Key::KnobLongPress);
    differs(a.nightSource != b.nightSource, Key::NightSource);
    differs(a.nightBrightness != b.nightBrightness, Key::NightBrightness);
    return keys;
}
