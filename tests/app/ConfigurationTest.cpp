#include "app/Configuration.h"
#include "app/OptionsScreen.h"
#include "app/SettingsHost.h"
#include "core/ColourScheme.h"
#include "core/LinkPort.h"
#include "core/SettingsModel.h"
#include "core/SharedValues.h"
#include "support/PortRequestLog.h"
#include "support/TempDir.h"
#include "widgets/ColourSwatch.h"
#include "widgets/RadioGroup.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>

namespace {

class FakeHost : public SettingsHost {
public:
    void loadFixedPictures() override { calls << "pictures"; }
    void showMainScreenImage(const QString &path) override { calls << "main image " + path; }
    void addDriversLogLine(const QString &line) override { log << line; }
    QString lastDriversLogLine() const override { return log.isEmpty() ? QString() : log.last(); }
    bool pointMediaLists(const QString &mp3, const QString &movie) override
    {
        calls << "lists " + mp3 + " " + movie;
        return true;
    }
    void changecolors() override { ++colourPasses; }
    void showRadarSystem(bool on) override { calls << QStringLiteral("radar %1").arg(on); }
    void showPrivateMode() override { calls << "private"; }
    void showOdometer(double km) override { odometer = km; }
    void showMousePointer(bool shown) override { mouse = shown; }
    bool loadNowPlayingBackground(const QString &path) override
    {
        calls << "background " + path;
        return false;
    }

    QStringList calls;
    QStringList log;
    int colourPasses = 0;
    double odometer = -1;
    bool mouse = true;
    PortRequestLog can{0};
    PortRequestLog gps{2};
};

// The options screen editing the settings, the configuration filling them with its
// messages in the system messages, and the two links' ports.
class ConfigurationTest : public ::testing::Test {
protected:
    ConfigurationTest() { options.edit(settings); }
    void load() { config.LoadSettings(); }
    IniFile saved() const { return IniFile::load(dir.file("Rovana.ini")); }
    Configuration::SystemMessage sysMessage()
    {
        return [this](const QString &line) {
            options.appendSysMessage(line);
        };
    }

    TempDir dir;
    SettingsModel settings;
    OptionsScreen options;
    ColourScheme colours;
    SharedValues shared;
    FakeHost host;
    Configuration config{dir.path(), settings, colours, shared, host, sysMessage()};
    LinkPort canLink{settings, LinkPort::Link::Can2Com, host.can, sysMessage()};
    LinkPort gpsLink{settings, LinkPort::Link::Gps, host.gps};
};

} // namespace

TEST_F(ConfigurationTest, NoFileStartsWithEveryDefault)
{
    load();
    EXPECT_EQ(options.MainImageEdit->text(), dir.path() + "Audi A8.jpg");
    EXPECT_EQ(options.Mp3BitmapEdit->text(), dir.path() + "Audi Robot MP3.bmp");
    EXPECT_EQ(options.Mp3PathEdit->text(), Configuration::defaultMp3Path());
    EXPECT_EQ(options.LogPathEdit->text(), Configuration::defaultLogPath());
    EXPECT_EQ(options.Edit9->text(), dir.path() + "notify.wav");
    EXPECT_EQ(options.RadioGroup1->itemIndex(), 0);
    EXPECT_EQ(options.RadioGroup3->itemIndex(), 0);
    EXPECT_TRUE(options.GPSMouseEnabledBox->isChecked());
    EXPECT_FALSE(options.CAN2COMEnabledBox->isChecked());
    EXPECT_FALSE(options.MouseEnabledBox->isChecked());
    EXPECT_FALSE(host.mouse);
    EXPECT_EQ(colours.mainColour(), 0x0099B8CDu);
    EXPECT_EQ(options.cpx[9]->colour(), 0x0000FFFFu);
    EXPECT_EQ(host.colourPasses, 1);
    EXPECT_TRUE(host.log.isEmpty());
    EXPECT_EQ(shared.TripKm, 0.0);
    EXPECT_FALSE(shared.RadarSystemOn);
    EXPECT_EQ(options.sysMessages(),
              (QStringList{"Now reading CAN2ComPort-ini setting", "CAN2ComPort is disabled"}));
    EXPECT_EQ(host.gps.requests(), (QStringList{"close", "port 0", "open COM1"}));
    EXPECT_TRUE(host.can.requests().isEmpty());
}

TEST_F(ConfigurationTest, StepsRunInTheirOrder)
{
    dir.write("Rovana.ini", "[Driverslog]\nlast entry=Monday,line\n");
    dir.write("Audi A8.jpg", "not really a picture");
    load();
    ASSERT_GE(host.calls.size(), 6);
    EXPECT_EQ(host.calls[0], "pictures");
    EXPECT_EQ(host.calls[1], "main image " + dir.path() + "Audi A8.jpg");
    EXPECT_TRUE(host.calls[2].startsWith("lists "));
    EXPECT_EQ(host.calls[3], "private");
    EXPECT_EQ(host.calls[4], "radar 0");
    EXPECT_EQ(host.calls.last(), "background " + dir.path() + "Audi Robot MP3.bmp");
    EXPECT_EQ(host.log, QStringList{"Monday,line"});
}

TEST_F(ConfigurationTest, ColourSectionIsFoundWhateverItsCase)
{
    dir.write("Rovana.ini", "[COLORS]\nComandPanel_ComandColor=clRed\ncpx3.color=$00010203\n");
    load();
    EXPECT_EQ(colours.mainColour(), 0x000000FFu);
    EXPECT_EQ(options.cpx[2]->colour(), 0x00010203u);
}

TEST_F(ConfigurationTest, NamedAndNumericSwatchReadTheSameAndSaveByName)
{
    dir.write("Rovana.ini", "[colors]\ncpx10.color=$0000FFFF\ncpx9.color=clYellow\n");
    load();
    EXPECT_EQ(options.cpx[9]->colour(), options.cpx[8]->colour());
    config.SaveSettings();
    EXPECT_EQ(saved().readString("Colors", "cpx10.color", ""), "clYellow");
    EXPECT_EQ(saved().readString("Colors", "cpx1.color", ""), "$0099B8CD");
}

TEST_F(ConfigurationTest, BadColourEndsTheColourStepOnly)
{
    dir.write("Rovana.ini", "[Colors]\nComandPanel_ComandColor=$00000080\ncpx1.color=clLime\n"
                            "cpx2.color=clAqua\ncpx3.color=sunset\ncpx4.color=clRed\n"
                            "[ExitOptions]\nRadioGroup1.ItemIndex=4\n");
    load();
    EXPECT_EQ(colours.mainColour(), 0x00000080u);
    EXPECT_EQ(options.cpx[0]->colour(), 0x0000FF00u);
    EXPECT_EQ(options.cpx[1]->colour(), 0x00FFFF00u);
    EXPECT_EQ(options.cpx[2]->colour(), OptionsScreen::SwatchDefaults[2]);
    EXPECT_EQ(options.cpx[3]->colour(), OptionsScreen::SwatchDefaults[3]);
    EXPECT_EQ(host.colourPasses, 0);
    EXPECT_EQ(options.RadioGroup1->itemIndex(), 4); // later steps still run
}

TEST_F(ConfigurationTest, ANumberOfNeitherColourFormEndsTheColourStepToo)
{
    for (const char *bad : {"123", "0x00FF00"}) {
        dir.write("Rovana.ini", QByteArray("[Colors]\nComandPanel_ComandColor=$00000080\n"
                                           "cpx1.color=clLime\ncpx2.color=") +
                                    bad + "\ncpx3.color=clRed\n");
        SettingsModel model;
        OptionsScreen fresh;
        fresh.edit(model);
        ColourScheme scheme;
        FakeHost freshHost;
        Configuration cfg(dir.path(), model, scheme, shared, freshHost, {});
        cfg.LoadSettings();
        EXPECT_EQ(fresh.cpx[0]->colour(), 0x0000FF00u) << bad;
        EXPECT_EQ(fresh.cpx[1]->colour(), OptionsScreen::SwatchDefaults[1]) << bad;
        EXPECT_EQ(fresh.cpx[2]->colour(), OptionsScreen::SwatchDefaults[2]) << bad;
        EXPECT_EQ(freshHost.colourPasses, 0) << bad;
    }
}

TEST_F(ConfigurationTest, ChoicesOutsideTheirRangeAreLimited)
{
    dir.write("Rovana.ini", "[ExitOptions]\nRadioGroup1.ItemIndex=9\n[GPSComPort]\n"
                            "RadioGroup3.ItemIndex=-2\n[CAN2ComPort]\nRadioGroup4.ItemIndex=12\n");
    load();
    EXPECT_EQ(options.RadioGroup1->itemIndex(), 5);
    EXPECT_EQ(options.RadioGroup3->itemIndex(), -1);
    EXPECT_EQ(options.RadioGroup4->itemIndex(), 8);
    // With no GPS port chosen the port keeps its number.
    EXPECT_EQ(host.gps.requests(), (QStringList{"close", "open COM3"}));
}

TEST_F(ConfigurationTest, EnabledCanLinkOpensTheConfiguredPort)
{
    dir.write("Rovana.ini", "[CAN2ComPort]\nEnabled=1\nRadioGroup4.ItemIndex=3\n"
                            "[GPSMouseOptions]\nEnabled=0\n");
    load();
    EXPECT_EQ(host.can.requests(), (QStringList{"close", "port 3", "open COM4"}));
    EXPECT_TRUE(host.gps.requests().isEmpty());
    EXPECT_EQ(options.sysMessages(),
              (QStringList{"Now reading CAN2ComPort-ini setting", "CAN2ComPort is enabled",
                           "Trying to start CAN2Com on COM 4"}));
}

TEST_F(ConfigurationTest, FailingPortDoesNotStopTheLoad)
{
    struct BrokenPort : PortRequestLog {
        bool OpenPort() override { throw std::runtime_error("Error opening com port"); }
    };
    FakeHost brokenHost;
    BrokenPort broken;
    SettingsModel model;
    Configuration cfg(dir.path(), model, colours, shared, brokenHost, {});
    LinkPort can(model, LinkPort::Link::Can2Com, broken);
    LinkPort gps(model, LinkPort::Link::Gps, brokenHost.gps);
    dir.write("Rovana.ini", "[CAN2ComPort]\nEnabled=1\n");
    cfg.LoadSettings();
    EXPECT_EQ(brokenHost.gps.requests().last(), "open COM1");
    EXPECT_EQ(brokenHost.calls.last(), "background " + dir.path() + "Audi Robot MP3.bmp");
}

TEST_F(ConfigurationTest, StoredBusinessModeStillStartsPrivate)
{
    dir.write("Rovana.ini", "[Global_log]\nEnabled=1\n[Global_radarwarning]\nEnabled=1\n");
    load();
    EXPECT_FALSE(shared.BusinessMode);
    EXPECT_TRUE(host.calls.contains("private"));
    EXPECT_TRUE(shared.RadarSystemOn);
    EXPECT_TRUE(host.calls.contains("radar 1"));
}

TEST_F(ConfigurationTest, OdometerIsSavedInWholeKilometres)
{
    load();
    shared.TripKm = 1234.9;
    config.SaveSettings();
    EXPECT_EQ(saved().readString("LastRecorded", "km", ""), "1234");
    shared.TripKm = 0;
    load();
    EXPECT_EQ(shared.TripKm, 1234.0);
    EXPECT_EQ(host.odometer, 1234.0);
    shared.TripKm = -3.7;
    config.SaveSettings();
    EXPECT_EQ(saved().readString("LastRecorded", "km", ""), "-3");
}

TEST_F(ConfigurationTest, FirstSaveWritesEveryKeyInOrderButNoEmptyLogEntry)
{
    load();
    config.SaveSettings();
    const QByteArray text = dir.read("Rovana.ini");
    const QList<QByteArray> order = {"[Bitmaps]",
                                     "MP3PlayingBackgroundBitmap=",
                                     "[Pathes]",
                                     "MAIN=",
                                     "MP3=",
                                     "MOVIE=",
                                     "LOG=",
                                     "[Sounds]",
                                     "Warning=",
                                     "[ExitOptions]",
                                     "RadioGroup1.ItemIndex=0",
                                     "[LastRecorded]",
                                     "km=0",
                                     "[Colors]",
                                     "ComandPanel_ComandColor=$0099B8CD",
                                     "cpx1.color=",
                                     "cpx10.color=clYellow",
                                     "[MouseOptions]",
                                     "Enabled=0",
                                     "[GPSMouseOptions]",
                                     "Enabled=1",
                                     "[CAN2ComPort]",
                                     "Enabled=0",
                                     "RadioGroup4.ItemIndex=0",
                                     "[Global_radarwarning]",
                                     "Enabled=0",
                                     "[Global_log]",
                                     "Enabled=0",
                                     "[GPSComPort]",
                                     "RadioGroup3.ItemIndex=0"};
    qsizetype at = 0;
    for (const QByteArray &piece : order) {
        const qsizetype found = text.indexOf(piece, at);
        ASSERT_GE(found, 0) << piece.constData() << " missing or out of order in\n"
                            << text.constData();
        at = found + piece.size();
    }
    EXPECT_FALSE(text.contains("Driverslog"));
}

TEST_F(ConfigurationTest, UnknownContentSurvivesASave)
{
    dir.write("Rovana.ini", "; my car\n[Devices]\nCOM1=/dev/ttyUSB0\n[Pathes]\nMP3=/music\n"
                            "Custom=keep me\n[Garage]\ndoor=open\n");
    load();
    options.Mp3PathEdit->setText("/other");
    host.log << "Tuesday,entry";
    config.SaveSettings();
    const IniFile ini = saved();
    EXPECT_EQ(ini.readString("Pathes", "MP3", ""), "/other");
    EXPECT_EQ(ini.readString("Pathes", "Custom", ""), "keep me");
    EXPECT_EQ(ini.readString("Garage", "door", ""), "open");
    EXPECT_EQ(ini.readString("Driverslog", "last entry", ""), "Tuesday,entry");
    EXPECT_TRUE(dir.read("Rovana.ini").startsWith("; my car\n[Devices]\nCOM1=/dev/ttyUSB0\n"));
    EXPECT_EQ(config.devicePath(0), "/dev/ttyUSB0");
    EXPECT_EQ(config.devicePath(1), "/dev/ttyS1");
}

TEST_F(ConfigurationTest, LinuxKeysHaveTheirDefaults)
{
    load();
    EXPECT_EQ(config.shellCommand(), "x-session-manager");
    EXPECT_EQ(config.mapFile(), dir.path() + "map.osm.pbf");
    EXPECT_EQ(config.devicePath(8), "/dev/ttyS8");
}

// Load fills the model, the options screen edits it both ways, and a save writes the
// model's values around whatever else the file holds.
TEST_F(ConfigurationTest, LoadModelSaveRoundTripKeepsUnknownKeys)
{
    dir.write("Rovana.ini", "[Garage]\ndoor=open\n[Sounds]\nWarning=/a.wav\nVolume=7\n"
                            "[Map]\nFile=/maps/x.pbf\nNight=1\n[GPSComPort]\n"
                            "RadioGroup3.ItemIndex=2\n");
    load();
    EXPECT_EQ(settings.values().warningSound, "/a.wav");
    EXPECT_EQ(settings.values().gpsPort, 2);
    EXPECT_EQ(settings.values().mapFile, "/maps/x.pbf");
    EXPECT_TRUE(config.mapNight());
    EXPECT_EQ(options.Edit9->text(), "/a.wav");

    options.Edit9->setText("/b.wav");
    options.CAN2COMEnabledBox->setChecked(true);
    options.RadioGroup3->setItemIndex(4);
    EXPECT_EQ(settings.values().warningSound, "/b.wav");
    EXPECT_TRUE(settings.values().can2comEnabled);
    EXPECT_EQ(settings.values().gpsPort, 4);
    settings.set(&Settings::logPath, QStringLiteral("/elsewhere"));
    EXPECT_EQ(options.LogPathEdit->text(), "/elsewhere");

    config.SaveSettings();
    const IniFile ini = saved();
    EXPECT_EQ(ini.readString("Sounds", "Warning", ""), "/b.wav");
    EXPECT_EQ(ini.readString("Sounds", "Volume", ""), "7");
    EXPECT_EQ(ini.readString("Pathes", "LOG", ""), "/elsewhere");
    EXPECT_TRUE(ini.readBool("CAN2ComPort", "Enabled", false));
    EXPECT_EQ(ini.readInteger("GPSComPort", "RadioGroup3.ItemIndex", 0), 4);
    EXPECT_EQ(ini.readString("Garage", "door", ""), "open");
    EXPECT_EQ(ini.readString("Map", "File", ""), "/maps/x.pbf");

    // Read back, the model holds what was saved.
    SettingsModel again;
    Configuration reload(dir.path(), again, colours, shared, host, {});
    reload.LoadSettings();
    EXPECT_EQ(again.values(), settings.values());
}
