#include "core/SettingsModel.h"
#include "core/LinkPort.h"
#include "core/SerialPortControl.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <stdexcept>

namespace {

using Key = Settings::Key;

// A port that notes what it is asked.
class NotedPort : public SerialPortControl {
public:
    void ClosePort() override { requests << "close"; }
    void setPortIndex(int index) override { requests << QStringLiteral("port %1").arg(index); }
    int portIndex() const override { return 0; }
    bool OpenPort() override
    {
        requests << "open";
        if (fails)
            throw std::runtime_error("Error opening com port");
        return true;
    }
    bool isOpen() const override { return false; }
    void setOnReceiveData(ReceiveHandler) override {}

    QStringList requests;
    bool fails = false;
};

} // namespace

TEST(SettingsModel, AChangeFiresOnceForEachKeyItAlters)
{
    SettingsModel model;
    QList<Key> seen;
    QStringList logPaths;
    QObject::connect(&model, &SettingsModel::changed, [&](Key key) {
        seen << key;
        logPaths << model.values().logPath;
    });
    model.set(&Settings::mp3Path, QStringLiteral("/music"));
    EXPECT_EQ(model.values().mp3Path, "/music");
    EXPECT_EQ(seen, QList<Key>{Key::Mp3Path});
    // The same value again: nothing.
    model.set(&Settings::mp3Path, QStringLiteral("/music"));
    model.update([](Settings &s) { s.gpsEnabled = true; }); // already so
    EXPECT_EQ(seen.size(), 1);
    // Several keys at once: each once, in the order of Key, with every value in place.
    seen.clear();
    logPaths.clear();
    model.update([](Settings &s) {
        s.mouse = true;
        s.logPath = QStringLiteral("/log");
        s.swatches[3] = 0x00010203;
        s.swatches[4] = 0x00040506;
    });
    EXPECT_EQ(seen, (QList<Key>{Key::LogPath, Key::Swatches, Key::Mouse}));
    EXPECT_EQ(logPaths, (QStringList{"/log", "/log", "/log"}));
}

TEST(SettingsModel, EveryKeyIsTold)
{
    Settings a;
    Settings b;
    b.mainImage = "m";
    b.mp3Bitmap = "b";
    b.mp3Path = "p";
    b.moviePath = "v";
    b.logPath = "l";
    b.warningSound = "w";
    b.lastLogEntry = "e";
    b.mainColour = 1;
    b.swatches[9] = 1;
    b.exitChoice = 3;
    b.gpsEnabled = false;
    b.can2comEnabled = true;
    b.radarWarning = true;
    b.businessLog = true;
    b.gpsPort = 2;
    b.can2comPort = 4;
    b.odometerKm = 12;
    b.mouse = true;
    b.devices[8] = "/dev/ttyUSB0";
    b.shell = "sh";
    b.mapFile = "f";
    b.mapNight = true;
    b.gpsSource = "gpsd";
    b.knobDevice = "/dev/input/event3";
    b.knobLongPressMs = 800;
    b.nightSource = "sun";
    b.nightBrightness = 40;
    EXPECT_EQ(Settings::differences(a, b).size(), size_t(Key::NightBrightness) + 1);
    EXPECT_TRUE(Settings::differences(b, b).empty());
}

// Once the settings are loaded an enabled link opens its port on the line they name; a
// disabled one leaves it alone, and a failing one does not keep the other from opening.
TEST(LinkPort, OpensWhenTheLoadedSettingsSaySo)
{
    SettingsModel model;
    NotedPort can;
    NotedPort gps;
    QStringList messages;
    LinkPort canLink(model, LinkPort::Link::Can2Com, can,
                     [&](const QString &line) { messages << line; });
    LinkPort gpsLink(model, LinkPort::Link::Gps, gps);
    model.update([](Settings &s) {
        s.can2comEnabled = true;
        s.can2comPort = 3;
        s.gpsPort = -1;
    });
    EXPECT_TRUE(can.requests.isEmpty()); // not before the whole file is read
    can.fails = true;
    model.finishLoad();
    EXPECT_EQ(can.requests, (QStringList{"close", "port 3", "open"}));
    EXPECT_EQ(messages, QStringList{"Trying to start CAN2Com on COM 4"});
    EXPECT_EQ(gps.requests, (QStringList{"close", "open"})); // no line chosen: it keeps its own
    // A later change waits for the next start.
    model.set(&Settings::gpsEnabled, false);
    model.set(&Settings::gpsPort, 1);
    EXPECT_EQ(gps.requests.size(), 2);
    model.finishLoad();
    EXPECT_EQ(gps.requests.size(), 2);
}
