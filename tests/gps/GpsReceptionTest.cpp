#include "gps/GpsReception.h"
#include "core/SharedValues.h"
#include "gps/GpsWatchdog.h"
#include "gps/NavigationText.h"
#include "gps/RadarScreen.h"

#include <gtest/gtest.h>

#include <QLabel>

#include <stdexcept>

namespace {

const QString Gga = "$GPGGA,214949,5121.5792,N,00714.4555,E,1,07,01.1,00153.8,M,086.0,M,,*4A";
const QString Rmc = "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68";
const QString UbloxGga =
    "$GNGGA,101520.00,2037.72792,N,08704.08478,W,1,12,0.78,12.4,M,-16.9,M,,*48";
const QString UbloxRmc = "$GNRMC,083559.00,A,4717.11437,N,00833.91522,E,0.004,,091202,,,A*60";
const QString NoFix = "$GPGGA,000000,0000.0000,N,00000.0000,E,0,00,99.9,00000.0,M,0.0,M,,*4A";

class ReceptionTest : public ::testing::Test {
protected:
    ReceptionTest()
    {
        gps.subscribe([this](const Fix &fix) {
            ++checks;
            fixes << fix;
            if (checkThrows)
                throw std::runtime_error("map");
        });
        gps.subscribe([this](const Fix &) { ++laterSubscriber; });
    }
    void SetUp() override { QLocale::setDefault(QLocale::c()); }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    RadarScreen screen;
    SharedValues shared;
    int arrivals = 0;
    int checks = 0; // fixes published
    QList<Fix> fixes;
    int laterSubscriber = 0;
    bool checkThrows = false;
    QStringList sysMemo;
    QList<QStringList> trips;
    GpsReception gps{shared, hooks()};

    void receive(const QByteArray &chunk)
    {
        gps.VSSComm321ReceiveData(chunk.constData(), quint16(chunk.size()));
    }

    GpsReception::Hooks hooks()
    {
        GpsReception::Hooks h;
        h.dataArrived = [this] {
            ++arrivals;
        };
        h.showNavigation = [this](const NavigationText &t) {
            screen.showNavigation(t);
        };
        h.systemMessage = [this](const QString &line) {
            sysMemo << line;
        };
        h.tripShown = [this](const QString &step, const QString &whole) {
            trips.append({step, whole});
        };
        return h;
    }
};

} // namespace

TEST_F(ReceptionTest, AChunkOfGgaAndRmcUpdatesTheFixAndTheReadOuts)
{
    shared.RadarSystemOn = true;
    gps.ProcessNmeaText(Gga + "\r\n" + Rmc + "\r\n");
    EXPECT_EQ(shared.gps.CurrentFix, (NavFix{51, 7, 21.5792, 14.4555}));
    EXPECT_EQ(screen.NAV_LAT->text(), "51°21.5792'N");
    EXPECT_EQ(screen.NAV_LON->text(), "7°14.4555'E");
    EXPECT_EQ(screen.NAV_SatNum->text(), "07 SATs ");
    EXPECT_EQ(screen.NAV_UTCTime->text(), "214949");
    EXPECT_EQ(screen.NAV_HEIGHT->text(), "153.8 m ASL");
    EXPECT_EQ(screen.NAV_SOG->text(), "167 km/h");
    EXPECT_EQ(screen.NAV_COG_Computed->text(), "COG 0°");
    EXPECT_EQ(gps.rmc().cog, "054.7");
    EXPECT_EQ(gps.rmc().GPSDate, "191194");
    EXPECT_EQ(checks, 1);
}

TEST_F(ReceptionTest, ReadOutsUseTheLocaleDecimalSeparator)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    shared.RadarSystemOn = true;
    gps.ProcessNmeaText(Gga);
    EXPECT_EQ(screen.NAV_LAT->text(), "51°21,5792'N");
    EXPECT_EQ(screen.NAV_HEIGHT->text(), "153,8 m ASL");
}

// The read-outs wait for the warning; the fix is published either way (the drivers log
// needs it, the camera warning looks at the switch itself).
TEST_F(ReceptionTest, WithTheWarningOffOnlyTheFixMoves)
{
    gps.ProcessNmeaText(Gga);
    EXPECT_EQ(shared.gps.CurrentFix.LatDegrees, 51);
    EXPECT_EQ(screen.NAV_LAT->text(), "LAT");
    EXPECT_EQ(checks, 1);
}

TEST_F(ReceptionTest, AFailingSubscriberStopsNeitherTheReadOutsNorTheOthers)
{
    shared.RadarSystemOn = true;
    checkThrows = true;
    gps.ProcessNmeaText(Gga);
    gps.ProcessNmeaText(Gga);
    EXPECT_EQ(laterSubscriber, 2);
    EXPECT_TRUE(sysMemo.isEmpty());
    EXPECT_EQ(screen.NAV_SatNum->text(), "07 SATs ");
}

// Each burst publishes the fix as it stands: position in degrees, what the receiver
// reports, and whether the car is known to be there.
TEST_F(ReceptionTest, TheFixPublishedCarriesTheBurstsValues)
{
    gps.ProcessNmeaText(Gga + "\r\n" + Rmc + "\r\n");
    ASSERT_EQ(fixes.size(), 1);
    const Fix fix = fixes[0];
    EXPECT_TRUE(fix.valid);
    EXPECT_EQ(fix.time, "214949");
    EXPECT_DOUBLE_EQ(fix.latitude, 51 + 21.5792 / 60);
    EXPECT_DOUBLE_EQ(fix.longitude, 7 + 14.4555 / 60);
    EXPECT_DOUBLE_EQ(fix.altitude, 153.8);
    EXPECT_NEAR(fix.speedKmh, 90.0 * 1.852, 1e-9);
    EXPECT_EQ(fix.satellites, 7);
    EXPECT_EQ(fix.quality, 1);
    EXPECT_EQ(fix, gps.fix());
    // A lost fix keeps the last position and says so.
    gps.ProcessNmeaText(NoFix);
    ASSERT_EQ(fixes.size(), 2);
    EXPECT_FALSE(fixes[1].valid);
    EXPECT_EQ(fixes[1].quality, 0);
    EXPECT_EQ(fixes[1].satellites, 0);
    EXPECT_DOUBLE_EQ(fixes[1].latitude, fix.latitude);
}

TEST_F(ReceptionTest, ANoFixSentenceLeavesTheOdometerAndTheFix)
{
    shared.TripKm = 1234.0;
    gps.ProcessNmeaText(Gga);
    trips.clear();
    const GpsValues before = shared.gps;
    for (const QString &s : {NoFix, QString("$GPGGA,002153,,,,,0,00,,,M,,M,,*7E"),
                             QString("$GPGGA,002154,,,,,0,00,99.9,0.0,M,,M,,*7E"),
                             QString("$GPGGA,002155,5121.XXXX,N,00714.4555,E,1,07,01.1,0,M")}) {
        gps.ProcessNmeaText(s + "\r\n");
        EXPECT_EQ(shared.TripKm, 1234.0) << s.toStdString();
    }
    EXPECT_EQ(shared.gps.CurrentFix, before.CurrentFix);
    EXPECT_EQ(shared.gps.PreviousFix, before.PreviousFix);
    EXPECT_EQ(shared.gps.DecimalLatitude, before.DecimalLatitude);
    EXPECT_TRUE(trips.isEmpty());
    // The read-outs still show what came.
    shared.RadarSystemOn = true;
    gps.ProcessNmeaText(NoFix);
    EXPECT_EQ(screen.NAV_SatNum->text(), "00 SATs ");
    EXPECT_EQ(screen.NAV_LAT->text(), "0°0.0000'N");
    // The next good fix moves on from the last good one.
    gps.ProcessNmeaText("$GPGGA,1,5122.5792,N,00714.4555,E,1,07,01.1,00153.8,M");
    EXPECT_NEAR(shared.TripKm, 1235.852, 1e-6);
}

TEST_F(ReceptionTest, EachStepShowsStepAndTotal)
{
    shared.TripKm = 99.9996;
    gps.ProcessNmeaText("$GPGGA,1,5000.0000,N,00700.0000,E,1,07,1,1\r\n"
                        "$GPGGA,2,5001.0000,N,00700.0000,E,1,07,1,1\r\n");
    ASSERT_EQ(trips.size(), 2);
    EXPECT_EQ(trips[0], (QStringList{"0.000 => 100.000", "99"}));
    EXPECT_EQ(trips[1], (QStringList{"1.852 => 101.852", "101"}));
    shared.TripKm = -0.5;
    gps.ProcessNmeaText("$GPGGA,3,5001.0000,N,00700.0000,E,1,07,1,1");
    ASSERT_EQ(trips.size(), 3);
    EXPECT_EQ(trips[2][1], "0");
}

TEST_F(ReceptionTest, TestTextsOfTheFourLabels)
{
    shared.RadarSystemOn = true;
    gps.RadarSystemMessageClick();
    EXPECT_EQ(gps.gga().UTCTime, "211819");
    EXPECT_EQ(shared.gps.CurrentFix, (NavFix{51, 7, 21.5780, 14.4529}));
    EXPECT_GT(shared.TripKm, 0.0);
    EXPECT_GT(shared.gps.ComputedCourse, 0.0);
    EXPECT_EQ(screen.NAV_SOG->text(), "167 km/h");
    EXPECT_EQ(checks, 2);
    gps.RadarSensitivityLabelClick();
    EXPECT_TRUE(shared.gps.Stationary);
    EXPECT_EQ(checks, 3);
    gps.Second_RadarWarning_distanceClick();
    EXPECT_EQ(gps.gga().UTCTime, "211821");
    EXPECT_EQ(shared.gps.CurrentFix, (NavFix{50, 7, 34.6678, 18.4522}));
    EXPECT_NEAR(shared.TripKm, 87.0, 0.1); // 47' south, 4' east
    EXPECT_NEAR(shared.gps.ComputedCourse, 177, 1.0);
    const double trip = shared.TripKm;
    gps.Nav_scaleClick();
    EXPECT_TRUE(shared.gps.Stationary);
    EXPECT_EQ(shared.TripKm, trip);
    EXPECT_EQ(checks, 5);
}

TEST_F(ReceptionTest, ReceivedBytesEndAtTheFirstZero)
{
    const QByteArray bytes = (Gga + "\r\n").toLatin1() + QByteArray("\0$GPGGA,999999", 14);
    receive(bytes);
    EXPECT_EQ(arrivals, 1);
    EXPECT_EQ(gps.gga().UTCTime, "214949");
    // Bytes that are not ASCII are characters like any other.
    receive(QByteArray("\xff\xfe$GPGGA,\x80\x81,5121.5792,N\r\n"));
    EXPECT_EQ(gps.gga().UTCTime, QString::fromLatin1("\x80\x81"));
    EXPECT_EQ(arrivals, 2);
    // The length bounds the text even without a zero byte.
    const char unterminated[] = {'$', 'G', 'P', 'G', 'G', 'A', ',', '1', '2', '3', '\r', '\n'};
    gps.VSSComm321ReceiveData(unterminated, 9);
    receive("\r\n");
    EXPECT_EQ(gps.gga().UTCTime, "12");
}

// A burst as a u-blox receiver sends it, cut at every byte into two chunks: the same fix,
// speed, course and date as uncut, and one odometer step.
TEST_F(ReceptionTest, ASentenceCutAnywhereIsJoinedWithItsRest)
{
    const QByteArray burst = UbloxGga.toLatin1() + "\r\n" + UbloxRmc.toLatin1() + "\r\n";
    for (qsizetype cut = 0; cut <= burst.size(); ++cut) {
        SharedValues values;
        int steps = 0;
        GpsReception::Hooks h;
        h.tripShown = [&](const QString &, const QString &) {
            ++steps;
        };
        GpsReception reception(values, h);
        reception.VSSComm321ReceiveData(burst.constData(), quint16(cut));
        reception.VSSComm321ReceiveData(burst.constData() + cut, quint16(burst.size() - cut));
        EXPECT_EQ(steps, 1) << cut;
        EXPECT_EQ(values.gps.CurrentFix, (NavFix{20, -87, 37.72792, -4.08478})) << cut;
        EXPECT_EQ(reception.gga().SatNum, "12") << cut;
        EXPECT_DOUBLE_EQ(reception.rmc().sog, 0.004) << cut;
        EXPECT_EQ(reception.rmc().cog, "") << cut;
        EXPECT_EQ(reception.rmc().GPSDate, "091202") << cut;
    }
}

TEST_F(ReceptionTest, APartWithoutItsEndStandsAloneWhenTheNextChunkStartsASentence)
{
    // Whole with its checksum: read at once, no line end needed.
    receive(UbloxGga.toLatin1());
    EXPECT_EQ(shared.gps.CurrentFix.LatDegrees, 20);
    // Without a checksum it waits, until a new sentence shows that it was whole.
    receive("$GNGGA,1,5000.0000,N,00700.0000,E,1,07,1,1");
    EXPECT_EQ(shared.gps.CurrentFix.LatDegrees, 20);
    receive("$GNRMC,2,V,,,,,,,010125,,,N\r\n");
    EXPECT_EQ(shared.gps.CurrentFix.LatDegrees, 50);
    EXPECT_EQ(gps.rmc().GPSDate, "010125");
}

TEST_F(ReceptionTest, AWrongChecksumDropsTheSentenceWithARateLimitedTrace)
{
    qint64 now = 1000;
    GpsReception::Hooks h = hooks();
    h.clockMs = [&] {
        return now;
    };
    GpsReception line(shared, h);
    const QByteArray good = UbloxGga.toLatin1() + "\r\n";
    QByteArray noisy = good;
    noisy[20] = '8'; // 2037.72892: a flipped bit on the cable
    line.VSSComm321ReceiveData(good.constData(), quint16(good.size()));
    line.VSSComm321ReceiveData(noisy.constData(), quint16(noisy.size()));
    EXPECT_DOUBLE_EQ(shared.gps.CurrentFix.LatMinutes, 37.72792);
    ASSERT_EQ(sysMemo.size(), 1);
    EXPECT_EQ(sysMemo[0], "GPS: checksum error, sentence dropped: " + QString(noisy.trimmed()));
    for (int i = 0; i < 5; ++i) {
        now += 1000;
        line.VSSComm321ReceiveData(noisy.constData(), quint16(noisy.size()));
    }
    EXPECT_EQ(sysMemo.size(), 1);
    now += GpsReception::DropTraceMs;
    line.VSSComm321ReceiveData(noisy.constData(), quint16(noisy.size()));
    ASSERT_EQ(sysMemo.size(), 2);
    EXPECT_TRUE(sysMemo[1].endsWith(" (and 5 more)"));
    EXPECT_DOUBLE_EQ(shared.gps.CurrentFix.LatMinutes, 37.72792);
    // Without a checksum a sentence is still read.
    const QByteArray bare = "$GNGGA,1,5000.0000,N,00700.0000,E,1,07,1,1\r\n";
    line.VSSComm321ReceiveData(bare.constData(), quint16(bare.size()));
    EXPECT_EQ(shared.gps.CurrentFix.LatDegrees, 50);
}

// GPGGA, GLGGA and GNGGA of the same second, a few metres apart: only GN moves the car.
TEST_F(ReceptionTest, OneTalkerOfABurstMovesTheCar)
{
    for (int second = 0; second < 3; ++second) {
        const auto sentence = [&](const char *talker, double minutes) {
            return QStringLiteral("$%1GGA,12000%2,50%3,N,00700.0000,E,1,07,1,1\r\n")
                .arg(QLatin1String(talker))
                .arg(second)
                .arg(minutes, 7, 'f', 4, QLatin1Char('0'));
        };
        // GN one minute of latitude further north each second; the others off by 0.002'.
        const double gn = second;
        receive((sentence("GP", gn + 0.002) + sentence("GN", gn) + sentence("GL", gn - 0.002))
                    .toLatin1());
        EXPECT_EQ(gps.gga().talker(), "GN");
    }
    EXPECT_NEAR(shared.TripKm, 2 * 1.852, 1e-6);
    EXPECT_EQ(trips.size(), 3);
}

TEST_F(ReceptionTest, TheNoFixFormsAreNoFix)
{
    shared.RadarSystemOn = true;
    receive((UbloxGga + "\r\n").toLatin1());
    ASSERT_TRUE(gps.hasFix());
    const GpsValues before = shared.gps;
    for (const char *noFix :
         {"$GNGGA,002153.00,,,,,0,00,99.99,,,,,,*7D\r\n$GNRMC,002153.00,V,,,,,,,,,,N,V*1C\r\n",
          "$GPGGA,000000,0000.0000,N,00000.0000,E,0,00,99.9,00000.0,M,0.0,M,,*4A\r\n",
          "$GPGGA,002154.000,2037.7279,N,08704.0848,W,0,03,,,M,,M,,*52\r\n"}) {
        receive(noFix);
        EXPECT_FALSE(gps.hasFix()) << noFix;
        EXPECT_EQ(shared.gps.CurrentFix, before.CurrentFix) << noFix;
        EXPECT_EQ(shared.TripKm, 0.0) << noFix;
    }
    receive("$GPGGA,002155,,,,,0,,,,M,,M,,\r\n");
    EXPECT_EQ(screen.NAV_SatNum->text(), "00 SATs ");
    receive((UbloxGga + "\r\n").toLatin1());
    EXPECT_TRUE(gps.hasFix());
}

TEST(GpsWatchdog, TheLabelFollowsTheData)
{
    QLabel label("GPS");
    QColor scheme(0xCD, 0xB8, 0x99);
    GpsWatchdog dog(label, [&] { return scheme; });
    EXPECT_TRUE(dog.GPSTimeout().isActive());
    EXPECT_EQ(dog.GPSTimeout().interval(), 15000);
    dog.GPSTimeoutTimer();
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
    dog.dataArrived();
    EXPECT_EQ(label.palette().color(QPalette::WindowText), scheme);
    EXPECT_TRUE(dog.GPSTimeout().isActive());
    EXPECT_GT(dog.GPSTimeout().remainingTime(), 14000);
    scheme = Qt::green; // the scheme changed: the next chunk shows it
    dog.dataArrived();
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::green));
    scheme = Qt::blue; // night falls: a live label takes the new colour at once
    dog.schemeChanged();
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::blue));
    dog.GPSTimeoutTimer();
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(dog.GPSTimeout().isActive()); // keeps watching
    dog.schemeChanged();                      // a silent receiver stays red
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
}
