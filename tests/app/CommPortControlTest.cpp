#include "app/CommPortControl.h"
#include "app/OptionsScreen.h"
#include "app/TForm1.h"
#include "serial/TVSSComm32.h"
#include "support/PseudoTerminal.h"
#include "support/StandInServices.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QTest>

#include <stdexcept>

namespace {

QByteArray devicesSection(const QString &com2, const QString &com3)
{
    return "[Devices]\nCOM2=" + com2.toLocal8Bit() + "\nCOM3=" + com3.toLocal8Bit() + "\n";
}

} // namespace

TEST(CommPortControl, TheWindowsTwoLinesHaveTheirFixedSettings)
{
    const auto can = CommPortControl::can2com("/nonexistent/Rovana.ini");
    EXPECT_EQ(can->portIndex(), 0);
    EXPECT_EQ(can->component().BaudRate(), TBaudRate::___9600);
    EXPECT_TRUE(can->component().RTS_on());
    EXPECT_EQ(can->component().CarTimeout(), 40);
    EXPECT_FALSE(can->isOpen());

    const auto gps = CommPortControl::gps("/nonexistent/Rovana.ini");
    EXPECT_EQ(gps->portIndex(), 2);
    EXPECT_EQ(gps->component().BaudRate(), TBaudRate::___4800);
    EXPECT_FALSE(gps->component().RTS_on());
    EXPECT_EQ(gps->component().CarTimeout(), 100);
    for (const auto *port : {can.get(), gps.get()}) {
        const TVSSComm32 &c = port->component();
        EXPECT_EQ(c.Parity(), TParity::None);
        EXPECT_EQ(c.DataBits(), TDataBits::_8);
        EXPECT_EQ(c.StopBits(), TStopBits::_1);
    }

    // Indices 0..8 are COM1..COM9; others leave the port as it was.
    gps->setPortIndex(8);
    EXPECT_EQ(gps->component().CommPort(), TCommPort::Com9);
    EXPECT_EQ(gps->component().devicePath(), "/dev/ttyS8"); // no settings file: the default
    gps->setPortIndex(9);
    gps->setPortIndex(-1);
    EXPECT_EQ(gps->portIndex(), 8);
}

TEST(CommPortControl, TheDeviceIsLookedUpInTheSettingsWhenThePortOpens)
{
    TempDir dir;
    PseudoTerminal line;
    ASSERT_TRUE(line.valid());
    const QString ini = dir.file("Rovana.ini");
    const auto port = CommPortControl::gps(ini);
    dir.write("Rovana.ini", devicesSection(line.path(), dir.file("no-such-device")));

    EXPECT_THROW(
        {
            try {
                port->OpenPort(); // COM3
            } catch (const std::exception &e) {
                EXPECT_STREQ(e.what(), "Error opening com port");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_FALSE(port->isOpen());

    QByteArray got;
    port->setOnReceiveData(
        [&got](const char *buffer, quint16 length) { got.append(buffer, length); });
    port->setPortIndex(1);
    ASSERT_TRUE(port->OpenPort());
    EXPECT_TRUE(port->isOpen());
    ASSERT_TRUE(line.send("$GPRMC\r\n"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !got.isEmpty(); }, 5000));
    EXPECT_EQ(got, "$GPRMC\r\n");
    port->ClosePort();
    EXPECT_FALSE(port->isOpen());
}

TEST(CommPortControl, StartUpOpensTheEnabledLinksOnTheirConfiguredDevices)
{
    TempDir dir;
    PseudoTerminal canLine, gpsLine;
    ASSERT_TRUE(canLine.valid() && gpsLine.valid());
    dir.write("Rovana.ini", devicesSection(canLine.path(), gpsLine.path()) +
                                "[CAN2ComPort]\nEnabled=1\nRadioGroup4.ItemIndex=1\n"
                                "[GPSMouseOptions]\nEnabled=1\n[GPSComPort]\n"
                                "RadioGroup3.ItemIndex=2\n");
    Services services;
    services.can2comPort = CommPortControl::can2com(dir.file("Rovana.ini"));
    services.gpsPort = CommPortControl::gps(dir.file("Rovana.ini"));
    TForm1 form(dir.path(), standInServices(std::move(services)));

    EXPECT_TRUE(form.can2comPort().isOpen());
    EXPECT_EQ(form.can2comPort().portIndex(), 1);
    EXPECT_TRUE(form.gpsPort().isOpen());
    EXPECT_EQ(form.gpsPort().portIndex(), 2);
    EXPECT_TRUE(form.options()->sysMessages().contains("Trying to start CAN2Com on COM 2"));

    QByteArray can;
    form.can2comPort().setOnReceiveData(
        [&can](const char *buffer, quint16 length) { can.append(buffer, length); });
    ASSERT_TRUE(canLine.send("01 02\r"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return can == "01 02\r"; }, 5000));
}

TEST(CommPortControl, AMissingDeviceLeavesStartUpGoingAndTheLinkClosed)
{
    TempDir dir;
    dir.write("Rovana.ini", devicesSection(dir.file("gone0"), dir.file("gone1")) +
                                "[CAN2ComPort]\nEnabled=1\nRadioGroup4.ItemIndex=1\n"
                                "[GPSComPort]\nRadioGroup3.ItemIndex=2\n");
    Services services;
    services.can2comPort = CommPortControl::can2com(dir.file("Rovana.ini"));
    services.gpsPort = CommPortControl::gps(dir.file("Rovana.ini"));
    TForm1 form(dir.path(), standInServices(std::move(services)));
    EXPECT_FALSE(form.can2comPort().isOpen());
    EXPECT_FALSE(form.gpsPort().isOpen());
    EXPECT_EQ(form.navigator().title(), "Main");
}
