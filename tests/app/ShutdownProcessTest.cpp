// Ends from outside, with real processes: rovana itself with its GPS receiver on a
// pseudo-terminal, stopped by SIGTERM in the middle of a drive; and the odometer's
// checkpoints cut short by SIGKILL at random moments.
#include "core/IniFile.h"
#include "NmeaSentence.h"
#include "support/PseudoTerminal.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int ProcessBoundMs =
    20000; // real processes under the sanitizers; reached on failure only

const QString LastRecorded = QStringLiteral("LastRecorded");
const QString Km = QStringLiteral("km");

qint32 kmOnDisk(const TempDir &dir)
{
    return IniFile::load(dir.file("Rovana.ini")).readInteger(LastRecorded, Km, -1);
}

// Northwards from the start, each fix 0.01 degrees of latitude (about 1.11 km) on.
QByteArray fixes(int from, int count)
{
    QByteArray nmea;
    for (int i = from; i < from + count; ++i) {
        DriveFix fix;
        fix.utc = QDateTime(QDate(2024, 5, 18), QTime(9, 30, 0), Qt::UTC).addSecs(i);
        fix.position = GeoPoint{51.0 + 0.01 * i, 7.0};
        fix.speedKnots = 2160;
        nmea += NmeaSentence::gga(fix) + "\r\n" + NmeaSentence::rmc(fix) + "\r\n";
    }
    return nmea;
}

TEST(ShutdownProcessTest, SigtermInTheMiddleOfADriveLeavesTheDrivenKilometresOnDisk)
{
    TempDir dir;
    // The program directory is the executable's: the program runs from the test's own.
    const QString program = dir.file("rovana");
    if (::link(QFile::encodeName(QStringLiteral(ROVANA_PROGRAM)).constData(),
               QFile::encodeName(program).constData()) != 0) {
        ASSERT_TRUE(QFile::copy(QStringLiteral(ROVANA_PROGRAM), program));
    }
    PseudoTerminal gps;
    ASSERT_TRUE(gps.valid());
    dir.write("Rovana.ini", "[GPSMouseOptions]\nEnabled=1\n[GPSComPort]\nRadioGroup3.ItemIndex=0\n"
                            "[CAN2ComPort]\nEnabled=0\n[LastRecorded]\nkm=1000\n[Devices]\nCOM1=" +
                                gps.path().toUtf8() + "\n");

    QProcess rovana;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("HOME", dir.path());
    env.insert("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + dir.file("no-system-bus"));
    // The libraries' allocations at exit are not this test's business.
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    rovana.setProcessEnvironment(env);
    rovana.setProcessChannelMode(QProcess::MergedChannels);
    rovana.start(program, {});
    ASSERT_TRUE(rovana.waitForStarted(ProcessBoundMs));
    const auto output = [&] {
        return rovana.readAll().toStdString();
    };

    // The receiver's line is the program's once it is set to raw bytes.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            termios t{};
            return ::tcgetattr(gps.slave(), &t) == 0 && !(t.c_lflag & ICANON);
        },
        ProcessBoundMs))
        << output();
    // Five steps of the drive in one burst: the first kilometre makes a checkpoint at
    // once, the next four are counted in the same breath and are on no disk yet.
    ASSERT_TRUE(gps.send(fixes(0, 6)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return kmOnDisk(dir) == 1001; }, ProcessBoundMs)) << output();

    ::kill(pid_t(rovana.processId()), SIGTERM);
    ASSERT_TRUE(rovana.waitForFinished(ProcessBoundMs)) << output();
    EXPECT_EQ(rovana.exitStatus(), QProcess::NormalExit) << output();
    EXPECT_EQ(rovana.exitCode(), 0) << output();
    EXPECT_EQ(kmOnDisk(dir), 1005) << "5.56 km driven from 1000";
    // The rest of the file as it was.
    const IniFile after = IniFile::load(dir.file("Rovana.ini"));
    EXPECT_EQ(after.readString("Devices", "COM1", {}), gps.path());
    EXPECT_FALSE(QFile::exists(dir.file("Rovana.ini.new")));
}

QByteArray settingsWith(const QByteArray &base, qint32 km)
{
    IniFile ini(base);
    ini.writeInteger(LastRecorded, Km, km);
    return ini.toBytes();
}

// The writer's children drive and checkpoint without pause, writing the settings as the
// program does, and each is killed at a random moment: the file is always a whole one,
// from before or after a save, never a mix or a stub.
TEST(ShutdownProcessTest, KilledAtRandomMomentsWhileCheckpointingTheFileIsAlwaysWhole)
{
    // A kill is not a power cut: the page cache outlives the process, so a file system
    // in memory shows the same and spares the disk 200 rounds of flushes.
    const QTemporaryDir memory(QStringLiteral("/dev/shm/rovana-test-XXXXXX"));
    const TempDir disk;
    const QString dir = memory.isValid() ? memory.path() + '/' : disk.path();
    QFile example(qEnvironmentVariable("ROVANA_TEST_SOURCE_DIR") +
                  QStringLiteral("/packaging/Rovana.ini.example"));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QByteArray base = settingsWith(example.readAll(), 0);
    const QString path = dir + QStringLiteral("Rovana.ini");
    QFile start(path);
    ASSERT_TRUE(start.open(QIODevice::WriteOnly) && start.write(base) == base.size());
    start.close();

    QProcess writer;
    writer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    writer.start(QStringLiteral(ROVANA_CHECKPOINT_WRITER), {path});
    ASSERT_TRUE(writer.waitForStarted(ProcessBoundMs));
    const auto answer = [&] {
        while (!writer.canReadLine())
            if (!writer.waitForReadyRead(ProcessBoundMs))
                return QByteArray();
        return writer.readLine().trimmed();
    };

    QRandomGenerator random(21);
    qint32 last = 0;
    int killedMidway = 0;
    for (int round = 0; round < 200; ++round) {
        writer.write("drive " + QByteArray::number(last) + '\n');
        const pid_t child = pid_t(answer().toInt());
        ASSERT_GT(child, 0) << "round " << round;
        // Under way, the first checkpoint on the disk: a moment into the next ones.
        ::usleep(random.bounded(3000u));
        ::kill(child, SIGKILL);
        ASSERT_EQ(answer(), "ended 9") << "round " << round;

        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "round " << round;
        const QByteArray bytes = file.readAll();
        const qint32 km = IniFile(bytes).readInteger(LastRecorded, Km, -1);
        ASSERT_GT(km, last) << "round " << round;
        ASSERT_EQ(bytes, settingsWith(base, km)) << "round " << round;
        killedMidway += QFile::exists(path + ".new");
        last = km;
    }
    writer.closeWriteChannel();
    EXPECT_TRUE(writer.waitForFinished(ProcessBoundMs));
    // Not a proof, but a sign that the kills came while a file was being written.
    EXPECT_GT(killedMidway, 0);
}

} // namespace
