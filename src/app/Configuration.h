#pragma once

#include "core/IniFile.h"

#include <QString>

#include <functional>

class ColourScheme;
class SettingsHost;
class SettingsModel;
struct SharedValues;

// Rovana.ini in the program directory. LoadSettings reads it into the settings model step
// by step, each step followed by its effects on the other screens; the serial links open
// their ports once it is read whole. SaveSettings collects the values that live elsewhere
// while Rovana runs (odometer, warning switch, log mode, main colour, the drivers log's
// last line) into the model and writes every key.
class Configuration {
public:
    using SystemMessage = std::function<void(const QString &)>;

    Configuration(const QString &programDir, SettingsModel &settings, ColourScheme &colours,
                  SharedValues &shared, SettingsHost &host, SystemMessage systemMessage);

    QString fileName() const { return m_fileName; }

    void LoadSettings();
    void SaveSettings();

    // Linux additions, read at load and never written (a save keeps them as they are).
    // The device of COM1..COM9 (index 0..8), from "Devices"/"COMn".
    QString devicePath(int portIndex) const;
    static QString devicePathIn(const IniFile &ini, int portIndex);
    // The GPS source, from "Devices"/"GPS": "gpsd", "gpsd:HOST:PORT", or empty for the COM
    // port of the options.
    static QString gpsSourceIn(const IniFile &ini);
    // The knob read from the kernel: "Knob"/"Device" (empty: found by its name or dial
    // axis) and "Knob"/"LongPress" in ms.
    QString knobDevice() const;
    int knobLongPressMs() const;
    // The shell started by exit choice 1.
    QString shellCommand() const;
    // The OpenStreetMap extract of the map view.
    QString mapFile() const;
    // The map's night colours, from "Map"/"Night" (until the screen has a night scheme).
    bool mapNight() const;

    // Defaults of the path keys on this machine.
    QString defaultMainImage() const;
    QString defaultMp3Bitmap() const;
    static QString defaultMp3Path();
    static QString defaultMoviePath();
    static QString defaultLogPath();
    QString defaultWarningSound() const;

private:
    void loadLinuxAdditions(const IniFile &ini);
    void loadPaths(const IniFile &ini);
    void loadColours(const IniFile &ini);
    void loadExitChoice(const IniFile &ini);
    void loadPorts(const IniFile &ini);
    void collectLiveValues();
    void write(IniFile &ini, bool lastEntry) const;
    void say(const QString &line) const;

    QString m_programDir;
    QString m_fileName;
    SettingsModel &m_settings;
    ColourScheme &m_colours;
    SharedValues &m_shared;
    SettingsHost &m_host;
    SystemMessage m_systemMessage;
};
