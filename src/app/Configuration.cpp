#include "app/Configuration.h"

#include "core/ColourScheme.h"
#include "core/ColourValue.h"
#include "core/Guarded.h"
#include "app/OptionsScreen.h"
#include "core/SerialPortControl.h"
#include "app/SettingsHost.h"
#include "core/SharedValues.h"
#include "widgets/ColourSwatch.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
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

Configuration::Configuration(const QString &programDir, OptionsScreen &options,
                             ColourScheme &colours, SharedValues &shared, SettingsHost &host)
    : m_programDir(programDir), m_fileName(programDir + QStringLiteral("Rovana.ini")),
      m_options(options), m_colours(colours), m_shared(shared), m_host(host)
{
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

QString Configuration::devicePath(int portIndex) const { return devicePathIn(m_loaded, portIndex); }

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

QString Configuration::knobDevice() const
{
    return m_loaded.readString(QStringLiteral("Knob"), QStringLiteral("Device"), QString());
}

int Configuration::knobLongPressMs() const
{
    return m_loaded.readInteger(QStringLiteral("Knob"), QStringLiteral("LongPress"), 600);
}

QString Configuration::shellCommand() const
{
    return m_loaded.readString(QStringLiteral("ExitOptions"), QStringLiteral("Shell"),
                               QStringLiteral("x-session-manager"));
}

QString Configuration::mapFile() const
{
    return m_loaded.readString(QStringLiteral("Map"), QStringLiteral("File"),
                               m_programDir + QStringLiteral("map.osm.pbf"));
}

bool Configuration::mapNight() const
{
    return m_loaded.readBool(QStringLiteral("Map"), QStringLiteral("Night"), false);
}

void Configuration::LoadSettings()
{
    const IniFile ini = IniFile::load(m_fileName);
    m_loaded = ini;
    OptionsScreen &o = m_options;

    // Each step of loading is guarded by itself: a failure skips the rest of that step only.
    Guarded::run([&] { m_host.loadFixedPictures(); }); // 1
    Guarded::run([&] { loadPaths(ini); });             // 2
    Guarded::run([&] {                                 // 3
        if (QFileInfo::exists(o.MainImageEdit->text()))
            m_host.showMainScreenImage(o.MainImageEdit->text());
    });
    Guarded::run([&] { // 4
        const QString last =
            ini.readString(QStringLiteral("Driverslog"), QStringLiteral("last entry"), QString());
        if (!last.isEmpty())
            m_host.addDriversLogLine(last);
    });
    Guarded::run(
        [&] { m_host.pointMediaLists(o.Mp3PathEdit->text(), o.MoviePathEdit->text()); }); // 5
    Guarded::run([&] { loadColours(ini); });                                              // 6
    Guarded::run([&] { loadExitChoice(ini); });                                           // 7
    Guarded::run([&] {                                                                    // 8
        o.GPSMouseEnabledBox->setChecked(
            ini.readBool(QStringLiteral("GPSMouseOptions"), QStringLiteral("Enabled"), true));
    });
    Guarded::run([&] { // 9
        o.appendSysMessage(QStringLiteral("Now reading CAN2ComPort-ini setting"));
        o.CAN2COMEnabledBox->setChecked(
            ini.readBool(QStringLiteral("CAN2ComPort"), QStringLiteral("Enabled"), false));
        o.appendSysMessage(o.CAN2COMEnabledBox->isChecked()
                               ? QStringLiteral("CAN2ComPort is enabled")
                               : QStringLiteral("CAN2ComPort is disabled"));
    });
    Guarded::run([&] { // 10
        m_shared.RadarSystemOn =
            ini.readBool(QStringLiteral("Global_radarwarning"), QStringLiteral("Enabled"), false);
    });
    Guarded::run([&] { // 11
        // Read but never applied: the drivers log always starts in private mode.
        (void)ini.readBool(QStringLiteral("Global_log"), QStringLiteral("Enabled"), false);
        m_shared.BusinessMode = false;
        m_host.showPrivateMode();
    });
    Guarded::run([&] { m_host.showRadarSystem(m_shared.RadarSystemOn); }); // 12
    Guarded::run([&] { loadPorts(ini); });                                 // 13
    Guarded::run([&] {                                                     // 14
        m_shared.TripKm = ini.readInteger(QStringLiteral("LastRecorded"), QStringLiteral("km"), 0);
        m_host.showOdometer(m_shared.TripKm);
    });
    Guarded::run([&] { // 15
        o.MouseEnabledBox->setChecked(
            ini.readBool(QStringLiteral("MouseOptions"), QStringLiteral("Enabled"), false));
        m_host.showMousePointer(o.MouseEnabledBox->isChecked());
    });
    Guarded::run([&] { openCan2Com(); });                                            // 16
    Guarded::run([&] { openGps(); });                                                // 17
    Guarded::run([&] { m_host.loadNowPlayingBackground(o.Mp3BitmapEdit->text()); }); // 18
}

void Configuration::loadPaths(const IniFile &ini)
{
    OptionsScreen &o = m_options;
    o.MainImageEdit->setText(ini.readString(Pathes, QStringLiteral("MAIN"), defaultMainImage()));
    o.Mp3BitmapEdit->setText(
        ini.readString(Bitmaps, QStringLiteral("MP3PlayingBackgroundBitmap"), defaultMp3Bitmap()));
    o.Mp3PathEdit->setText(ini.readString(Pathes, QStringLiteral("MP3"), defaultMp3Path()));
    o.MoviePathEdit->setText(ini.readString(Pathes, QStringLiteral("MOVIE"), defaultMoviePath()));
    o.LogPathEdit->setText(ini.readString(Pathes, QStringLiteral("LOG"), defaultLogPath()));
    o.Edit9->setText(
        ini.readString(QStringLiteral("Sounds"), QStringLiteral("Warning"), defaultWarningSound()));
}

void Configuration::loadColours(const IniFile &ini)
{
    m_colours.setMainColour(readColour(ini, Colors, QStringLiteral("ComandPanel_ComandColor"),
                                       ColourScheme::BuiltInMainColour));
    for (size_t i = 0; i < m_options.cpx.size(); ++i) {
        const QString key = QStringLiteral("cpx%1.color").arg(i + 1);
        m_options.cpx[i]->setColour(
            readColour(ini, QStringLiteral("colors"), key, OptionsScreen::SwatchDefaults[i]));
    }
    m_host.changecolors();
}

void Configuration::loadExitChoice(const IniFile &ini)
{
    RadioGroup *exitChoice = m_options.RadioGroup1;
    try {
        const int v = ini.readInteger(QStringLiteral("ExitOptions"),
                                      QStringLiteral("RadioGroup1.ItemIndex"), 0);
        exitChoice->setItemIndex(clampChoice(v, exitChoice->count() - 1));
    } catch (...) {
        exitChoice->setItemIndex(2);
    }
}

void Configuration::loadPorts(const IniFile &ini)
{
    const int gps =
        ini.readInteger(QStringLiteral("GPSComPort"), QStringLiteral("RadioGroup3.ItemIndex"), 0);
    m_options.RadioGroup3->setItemIndex(clampChoice(gps, 8));
    const int can =
        ini.readInteger(QStringLiteral("CAN2ComPort"), QStringLiteral("RadioGroup4.ItemIndex"), 0);
    m_options.RadioGroup4->setItemIndex(clampChoice(can, 8));
}

void Configuration::openCan2Com()
{
    if (!m_options.CAN2COMEnabledBox->isChecked())
        return;
    SerialPortControl &port = m_host.can2comPort();
    port.ClosePort();
    const int index = m_options.RadioGroup4->itemIndex();
    if (index >= 0)
        port.setPortIndex(index);
    m_options.appendSysMessage(QStringLiteral("Trying to start CAN2Com on COM %1").arg(index + 1));
    port.OpenPort();
}

void Configuration::openGps()
{
    if (!m_options.GPSMouseEnabledBox->isChecked())
        return;
    SerialPortControl &port = m_host.gpsPort();
    port.ClosePort();
    const int index = m_options.RadioGroup3->itemIndex();
    if (index >= 0)
        port.setPortIndex(index);
    port.OpenPort();
}

void Configuration::SaveSettings()
{
    // Read the file afresh so that whatever else it holds now is kept, write every key,
    // and replace the file in one step. A failure leaves the old file as it was.
    Guarded::run([&] {
        IniFile ini = IniFile::load(m_fileName);
        const OptionsScreen &o = m_options;
        ini.writeString(Bitmaps, QStringLiteral("MP3PlayingBackgroundBitmap"),
                        o.Mp3BitmapEdit->text());
        ini.writeString(Pathes, QStringLiteral("MAIN"), o.MainImageEdit->text());
        ini.writeString(Pathes, QStringLiteral("MP3"), o.Mp3PathEdit->text());
        ini.writeString(Pathes, QStringLiteral("MOVIE"), o.MoviePathEdit->text());
        ini.writeString(Pathes, QStringLiteral("LOG"), o.LogPathEdit->text());
        ini.writeString(QStringLiteral("Sounds"), QStringLiteral("Warning"), o.Edit9->text());
        const QString last = m_host.lastDriversLogLine();
        if (!last.isEmpty())
            ini.writeString(QStringLiteral("Driverslog"), QStringLiteral("last entry"), last);
        ini.writeInteger(QStringLiteral("ExitOptions"), QStringLiteral("RadioGroup1.ItemIndex"),
                         o.RadioGroup1->itemIndex());
        const double km = std::trunc(m_shared.TripKm);
        ini.writeInteger(
            QStringLiteral("LastRecorded"), QStringLiteral("km"),
            qint32(qBound(double(INT32_MIN), std::isfinite(km) ? km : 0.0, double(INT32_MAX))));
        ini.writeString(Colors, QStringLiteral("ComandPanel_ComandColor"),
                        ColourValue::toText(m_colours.mainColour()));
        for (size_t i = 0; i < o.cpx.size(); ++i)
            ini.writeString(Colors, QStringLiteral("cpx%1.color").arg(i + 1),
                            ColourValue::toText(o.cpx[i]->colour()));
        ini.writeBool(QStringLiteral("MouseOptions"), QStringLiteral("Enabled"),
                      o.MouseEnabledBox->isChecked());
        ini.writeBool(QStringLiteral("GPSMouseOptions"), QStringLiteral("Enabled"),
                      o.GPSMouseEnabledBox->isChecked());
        ini.writeBool(QStringLiteral("CAN2ComPort"), QStringLiteral("Enabled"),
                      o.CAN2COMEnabledBox->isChecked());
        ini.writeBool(QStringLiteral("Global_radarwarning"), QStringLiteral("Enabled"),
                      m_shared.RadarSystemOn);
        ini.writeBool(QStringLiteral("Global_log"), QStringLiteral("Enabled"),
                      m_shared.BusinessMode);
        ini.writeInteger(QStringLiteral("GPSComPort"), QStringLiteral("RadioGroup3.ItemIndex"),
                         o.RadioGroup3->itemIndex());
        ini.writeInteger(QStringLiteral("CAN2ComPort"), QStringLiteral("RadioGroup4.ItemIndex"),
                         o.RadioGroup4->itemIndex());
        ini.save(m_fileName);
    });
}
