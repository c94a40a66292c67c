#include "app/Configuration.h"

#include "app/SettingsHost.h"
#include "core/ColourScheme.h"
#include "core/ColourValue.h"
#include "core/Guarded.h"
#include "core/SettingsModel.h"
#include "core/SharedValues.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <stdexcept>

namespace {

const QString Pathes = QStringLiteral("Pathes");
const QString Bitmaps = QStringLiteral("Bitmaps");
const QString Colors = QStringLiteral("Colors");

// A choice list takes values above its last item as the last item and negative values as
// no choice.
int clampChoice(int value, int last) { return value > last ? last : (value < 0 ? -1 : value); }

quint32 readColour(const IniFile &ini, const QString &section, const QString &key, quint32 def)
{
    const QString text = ini.readString(section, key, ColourValue::toText(def));
    const auto colour = ColourValue::fromText(text);
    if (!colour)
        throw std::invalid_argument("not a colour");
    return *colour;
}

} // namespace

Configuration::Configuration(const QString &programDir, SettingsModel &settings,
                             ColourScheme &colours, SharedValues &shared, SettingsHost &host,
                             SystemMessage systemMessage)
    : m_programDir(programDir), m_fileName(programDir + QStringLiteral("Rovana.ini")),
      m_settings(settings), m_colours(colours), m_shared(shared), m_host(host),
      m_systemMessage(std::move(systemMessage))
{
    // Their defaults hold until the file is read.
    loadLinuxAdditions(IniFile());
}

QString Configuration::defaultMainImage() const { return m_programDir + "Audi A8.jpg"; }

QString Configuration::defaultMp3Bitmap() const { return m_programDir + "Audi Robot MP3.bmp"; }

QString Configuration::defaultMp3Path()
{
    return QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
}

QString Configuration::defaultMoviePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
}

QString Configuration::defaultLogPath() { return QDir::homePath() + QStringLiteral("/log"); }

QString Configuration::defaultWarningSound() const { return m_programDir + "notify.wav"; }

QString Configuration::devicePath(int portIndex) const
{
    if (portIndex < 0 || portIndex >= Settings::PortCount)
        return QStringLiteral("/dev/ttyS%1").arg(portIndex);
    return m_settings.values().devices[size_t(portIndex)];
}

QString Configuration::devicePathIn(const IniFile &ini, int portIndex)
{
    const QString key = QStringLiteral("COM%1").arg(portIndex + 1);
    return ini.readString(QStringLiteral("Devices"), key,
                          QStringLiteral("/dev/ttyS%1").arg(portIndex));
}

QString Configuration::gpsSourceIn(const IniFile &ini)
{
    return ini.readString(QStringLiteral("Devices"), QStringLiteral("GPS"), QString());
}

QString Configuration::knobDevice() const { return m_settings.values().knobDevice; }

int Configuration::knobLongPressMs() const { return m_settings.values().knobLongPressMs; }

QString Configuration::shellCommand() const { return m_settings.values().shell; }

QString Configuration::mapFile() const { return m_settings.values().mapFile; }

bool Configuration::mapNight() const { return m_settings.values().mapNight; }

void Configuration::say(const QString &line) const
{
    if (m_systemMessage)
        m_systemMessage(line);
}

void Configuration::LoadSettings()
{
    const IniFile ini = IniFile::load(m_fileName);
    SettingsModel &m = m_settings;
    const Settings &v = m.values();

    // Each step of loading is guarded by itself: a failure skips the rest of that step only.
    Guarded::run([&] { loadLinuxAdditions(ini); });
    Guarded::run([&] { m_host.loadFixedPictures(); }); // 1
    Guarded::run([&] { loadPaths(ini); });             // 2
    Guarded::run([&] {                                 // 3
        if (QFileInfo::exists(v.mainImage))
            m_host.showMainScreenImage(v.mainImage);
    });
    Guarded::run([&] { // 4
        m.set(&Settings::lastLogEntry, ini.readString(QStringLiteral("Driverslog"),
                                                      QStringLiteral("last entry"), QString()));
        if (!v.lastLogEntry.isEmpty())
            m_host.addDriversLogLine(v.lastLogEntry);
    });
    Guarded::run([&] { m_host.pointMediaLists(v.mp3Path, v.moviePath); }); // 5
    Guarded::run([&] { loadColours(ini); });                               // 6
    Guarded::run([&] { loadExitChoice(ini); });                            // 7
    Guarded::run([&] {                                                     // 8
        m.set(&Settings::gpsEnabled,
              ini.readBool(QStringLiteral("GPSMouseOptions"), QStringLiteral("Enabled"), true));
    });
    Guarded::run([&] { // 9
        say(QStringLiteral("Now reading CAN2ComPort-ini setting"));
        m.set(&Settings::can2comEnabled,
              ini.readBool(QStringLiteral("CAN2ComPort"), QStringLiteral("Enabled"), false));
        say(v.can2comEnabled ? QStringLiteral("CAN2ComPort is enabled")
                             : QStringLiteral("CAN2ComPort is disabled"));
    });
    Guarded::run([&] { // 10
        m.set(&Settings::radarWarning, ini.readBool(QStringLiteral("Global_radarwarning"),
                                                    QStringLiteral("Enabled"), false));
        m_shared.RadarSystemOn = v.radarWarning;
    });
    Guarded::run([&] { // 11
        // Read but never applied: the drivers log always starts in private mode.
        m.set(&Settings::businessLog,
              ini.readBool(QStringLiteral("Global_log"), QStringLiteral("Enabled"), false));
        m_shared.BusinessMode = false;
        m_host.showPrivateMode();
    });
    Guarded::run([&] { m_host.showRadarSystem(m_shared.RadarSystemOn); }); // 12
    Guarded::run([&] { loadPorts(ini); });                                 // 13
    Guarded::run([&] {                                                     // 14
        m.set(&Settings::odometerKm,
              ini.readInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), 0));
        m_shared.TripKm = v.odometerKm;
        m_host.showOdometer(m_shared.TripKm);
    });
    Guarded::run([&] { // 15
        m.set(&Settings::mouse,
              ini.readBool(QStringLiteral("MouseOptions"), QStringLiteral("Enabled"), false));
        m_host.showMousePointer(v.mouse);
    });
    Guarded::run([&] { m_host.loadNowPlayingBackground(v.mp3Bitmap); }); // 16
    // 17: the serial links open their ports (each guarded by itself).
    m.finishLoad();
}

void Configuration::loadLinuxAdditions(const IniFile &ini)
{
    m_settings.update([&](Settings &s) {
        for (int i = 0; i < Settings::PortCount; ++i)
            s.devices[size_t(i)] = devicePathIn(ini, i);
        s.shell = ini.readString(QStringLiteral("ExitOptions"), QStringLiteral("Shell"),
                                 QStringLiteral("x-session-manager"));
        s.mapFile = ini.readString(QStringLiteral("Map"), QStringLiteral("File"),
                                   m_programDir + QStringLiteral("map.osm.pbf"));
        s.mapNight = ini.readBool(QStringLiteral("Map"), QStringLiteral("Night"), false);
        s.gpsSource = gpsSourceIn(ini);
        s.knobDevice = ini.readString(QStringLiteral("Knob"), QStringLiteral("Device"), QString());
        s.nightSource =
            ini.readString(QStringLiteral("Night"), QStringLiteral("Source"), QString());
        s.nightBrightness =
            qBound(0,
                   ini.readInteger(QStringLiteral("Night"), QStringLiteral("Brightness"),
                                   Settings::NightBrightnessDefault),
                   Settings::NightBrightnessMax);
        s.knobLongPressMs =
            ini.readInteger(QStringLiteral("Knob"), QStringLiteral("LongPress"), 600);
    });
}

void Configuration::loadPaths(const IniFile &ini)
{
    SettingsModel &m = m_settings;
    m.set(&Settings::mainImage, ini.readString(Pathes, QStringLiteral("MAIN"), defaultMainImage()));
    m.set(
        &Settings::mp3Bitmap,
        ini.readString(Bitmaps, QStringLiteral("MP3PlayingBackgroundBitmap"), defaultMp3Bitmap()));
    m.set(&Settings::mp3Path, ini.readString(Pathes, QStringLiteral("MP3"), defaultMp3Path()));
    m.set(&Settings::moviePath,
          ini.readString(Pathes, QStringLiteral("MOVIE"), defaultMoviePath()));
    m.set(&Settings::logPath, ini.readString(Pathes, QStringLiteral("LOG"), defaultLogPath()));
    m.set(
        &Settings::warningSound,
        ini.readString(QStringLiteral("Sounds"), QStringLiteral("Warning"), defaultWarningSound()));
}

// A colour that can't be read ends the step: the swatches after it keep their colours and
// the colour pass does not run.
void Configuration::loadColours(const IniFile &ini)
{
    m_settings.set(&Settings::mainColour,
                   readColour(ini, Colors, QStringLiteral("ComandPanel_ComandColor"),
                              ColourScheme::BuiltInMainColour));
    m_colours.setMainColour(m_settings.values().mainColour);
    for (size_t i = 0; i < Settings::SwatchDefaults.size(); ++i) {
        const QString key = QStringLiteral("cpx%1.color").arg(i + 1);
        const quint32 colour =
            readColour(ini, QStringLiteral("colors"), key, Settings::SwatchDefaults[i]);
        m_settings.update([&](Settings &s) { s.swatches[i] = colour; });
    }
    m_host.changecolors();
}

void Configuration::loadExitChoice(const IniFile &ini)
{
    try {
        const int v = ini.readInteger(QStringLiteral("ExitOptions"),
                                      QStringLiteral("RadioGroup1.ItemIndex"), 0);
        m_settings.set(&Settings::exitChoice, clampChoice(v, Settings::ExitChoiceCount - 1));
    } catch (...) {
        m_settings.set(&Settings::exitChoice, 2);
    }
}

void Configuration::loadPorts(const IniFile &ini)
{
    const int gps =
        ini.readInteger(QStringLiteral("GPSComPort"), QStringLiteral("RadioGroup3.ItemIndex"), 0);
    m_settings.set(&Settings::gpsPort, clampChoice(gps, Settings::PortCount - 1));
    const int can =
        ini.readInteger(QStringLiteral("CAN2ComPort"), QStringLiteral("RadioGroup4.ItemIndex"), 0);
    m_settings.set(&Settings::can2comPort, clampChoice(can, Settings::PortCount - 1));
}

// The values that other parts keep while Rovana runs.
void Configuration::collectLiveValues()
{
    const QString last = m_host.lastDriversLogLine();
    const double km = std::trunc(m_shared.TripKm);
    m_settings.update([&](Settings &s) {
        if (!last.isEmpty())
            s.lastLogEntry = last;
        s.odometerKm =
            qint32(qBound(double(INT32_MIN), std::isfinite(km) ? km : 0.0, double(INT32_MAX)));
        s.mainColour = m_colours.mainColour();
        s.radarWarning = m_shared.RadarSystemOn;
        s.businessLog = m_shared.BusinessMode;
    });
}

void Configuration::SaveSettings()
{
    // Read the file afresh so that whatever else it holds now is kept, write every key,
    // and replace the file in one step. A failure leaves the old file as it was.
    Guarded::run([&] {
        // An empty drivers-log list leaves the file's last entry as it is.
        const bool lastEntry = !m_host.lastDriversLogLine().isEmpty();
        collectLiveValues();
        IniFile ini = IniFile::load(m_fileName);
        write(ini, lastEntry);
        ini.save(m_fileName);
    });
}

void Configuration::write(IniFile &ini, bool lastEntry) const
{
    const Settings &v = m_settings.values();
    ini.writeString(Bitmaps, QStringLiteral("MP3PlayingBackgroundBitmap"), v.mp3Bitmap);
    ini.writeString(Pathes, QStringLiteral("MAIN"), v.mainImage);
    ini.writeString(Pathes, QStringLiteral("MP3"), v.mp3Path);
    ini.writeString(Pathes, QStringLiteral("MOVIE"), v.moviePath);
    ini.writeString(Pathes, QStringLiteral("LOG"), v.logPath);
    ini.writeString(QStringLiteral("Sounds"), QStringLiteral("Warning"), v.warningSound);
    if (lastEntry)
        ini.writeString(QStringLiteral("Driverslog"), QStringLiteral("last entry"), v.lastLogEntry);
    ini.writeInteger(QStringLiteral("ExitOptions"), QStringLiteral("RadioGroup1.ItemIndex"),
                     v.exitChoice);
    ini.writeInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), v.odometerKm);
    ini.writeString(Colors, QStringLiteral("ComandPanel_ComandColor"),
                    ColourValue::toText(v.mainColour));
    for (size_t i = 0; i < v.swatches.size(); ++i)
        ini.writeString(Colors, QStringLiteral("cpx%1.color").arg(i + 1),
                        ColourValue::toText(v.swatches[i]));
    ini.writeBool(QStringLiteral("MouseOptions"), QStringLiteral("Enabled"), v.mouse);
    ini.writeBool(QStringLiteral("GPSMouseOptions"), QStringLiteral("Enabled"), v.gpsEnabled);
    ini.writeBool(QStringLiteral("CAN2ComPort"), QStringLiteral("Enabled"), v.can2comEnabled);
    ini.writeBool(QStringLiteral("Global_radarwarning"), QStringLiteral("Enabled"), v.radarWarning);
    ini.writeBool(QStringLiteral("Global_log"), QStringLiteral("Enabled"), v.businessLog);
    ini.writeInteger(QStringLiteral("GPSComPort"), QStringLiteral("RadioGroup3.ItemIndex"),
                     v.gpsPort);
    ini.writeInteger(QStringLiteral("CAN2ComPort"), QStringLiteral("RadioGroup4.ItemIndex"),
                     v.can2comPort);
    // Left out until the driver chooses: the CAN2COM link then decides the source.
    if (!v.nightSource.isEmpty())
        ini.writeString(QStringLiteral("Night"), QStringLiteral("Source"), v.nightSource);
    ini.writeInteger(QStringLiteral("Night"), QStringLiteral("Brightness"), v.nightBrightness);
}
