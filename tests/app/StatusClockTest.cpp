#include "app/StatusClock.h"
#include "core/LongTimeFormat.h"
#include "app/StatusLine.h"
#include "support/TempDir.h"
#include "widgets/LevelBar.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLocale>
#include <QSignalSpy>

namespace {

class StatusClockTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeStat(100, 900);
        clock = std::make_unique<StatusClock>(
            status, meter, CpuLoadSampler(proc.path()),
            [this](const QString &line) { messages << line; }, [this] { return now; });
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }
    void writeStat(quint64 busy, quint64 idle)
    {
        proc.write("proc/stat",
                   "cpu0 " + QByteArray::number(busy) + " 0 0 " + QByteArray::number(idle) + "\n");
    }

    // A Wednesday.
    QDateTime now{QDate(2024, 1, 3), QTime(7, 5, 9)};
    StatusLine status;
    LevelBar meter;
    TempDir proc;
    QStringList messages;
    std::unique_ptr<StatusClock> clock;
};

} // namespace

TEST_F(StatusClockTest, ClockAndDateOnAWednesday)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    clock->ClocktimerTimer();
    EXPECT_EQ(status.Clock->text(), "07:05");
    EXPECT_EQ(status.DateLabel->text(), "Wednesday  03.01.24 ");
    EXPECT_TRUE(status.DateLabel->alignment() & Qt::AlignRight);

    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    clock->ClocktimerTimer();
    EXPECT_EQ(status.DateLabel->text(), "Wednesday  1/3/24 ");
    now = QDateTime(QDate(2024, 1, 7), QTime(23, 59, 59));
    clock->ClocktimerTimer();
    EXPECT_EQ(status.DateLabel->text(), "Sunday  1/7/24 ");
    EXPECT_EQ(status.Clock->text(), "23:59");
}

TEST_F(StatusClockTest, LongTimeFormatHasSecondsAfterATick)
{
    QSignalSpy shown(clock.get(), &StatusClock::timeShown);
    QString formatDuringTick;
    QObject::connect(clock.get(), &StatusClock::timeShown,
                     [&] { formatDuringTick = LongTimeFormat::pattern(); });
    clock->ClocktimerTimer();
    EXPECT_EQ(formatDuringTick, "hh:mm");
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0][0].toString(), "07:05");
    EXPECT_EQ(LongTimeFormat::pattern(), "hh:mm:ss");
    EXPECT_EQ(LongTimeFormat::format(QTime(7, 5, 9)), "07:05:09");
}

TEST_F(StatusClockTest, StartShowsTheTimeAndRunsBothTimersEverySecond)
{
    clock->start();
    EXPECT_EQ(status.Clock->text(), "07:05");
    EXPECT_TRUE(clock->clockTimer().isActive());
    EXPECT_TRUE(clock->cpuTimer().isActive());
    EXPECT_EQ(clock->clockTimer().interval(), 1000);
    EXPECT_EQ(clock->cpuTimer().interval(), 1000);
    EXPECT_EQ(meter.value(), 0); // the first sample initialises
}

TEST_F(StatusClockTest, MeterShowsTheLoadAndReportsAFailureOnce)
{
    clock->CPUTimerTimer();
    writeStat(133, 967); // 33 busy of 100 ticks, truncated
    clock->CPUTimerTimer();
    EXPECT_EQ(meter.value(), 33);
    EXPECT_EQ(meter.toolTip(), "33%");
    writeStat(1133, 967);
    clock->CPUTimerTimer();
    EXPECT_EQ(meter.value(), 100);

    proc.write("proc/stat", "garbage\n");
    clock->CPUTimerTimer();
    clock->CPUTimerTimer();
    EXPECT_EQ(meter.value(), 0);
    EXPECT_EQ(messages, QStringList{"CPU index out of bounds"});
}
