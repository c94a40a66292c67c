#include "app/SystemDescription.h"
#include "platform/CpuLoadSampler.h"
#include "platform/ProcStat.h"
#include "platform/SystemInfoReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

// A fake root with /proc and /sys files written by the test.
class FakeRoot {
public:
    QString root() const { return dir.path(); }
    void stat(quint64 busy, quint64 idle)
    {
        // user nice system idle iowait irq softirq steal guest guest_nice
        dir.write("proc/stat", "cpu  9 9 9 9 9 9 9 9 0 0\ncpu0 " + QByteArray::number(busy) +
                                   " 0 0 " + QByteArray::number(idle) +
                                   " 0 0 0 0 77 77\ncpu1 1 1 1 1\nintr 1 2 3\n");
    }
    void supply(const QString &name, const QMap<QString, QByteArray> &files)
    {
        for (auto it = files.begin(); it != files.end(); ++it)
            dir.write("sys/class/power_supply/" + name + "/" + it.key(), it.value() + "\n");
    }
    TempDir dir;
};

} // namespace

TEST(ProcStatTest, ReadsTheIdleAndAllCountersOfOneProcessor)
{
    const QByteArray stat = "cpu  10 0 0 90\ncpu0 1 2 3 4 5 6 7 8 100 100\ncpu10 9 9 9 9\n";
    const ProcStat::Result r = ProcStat::parse(stat, 0);
    ASSERT_EQ(r.status, ProcStat::Status::Ok);
    EXPECT_EQ(r.times.idle, 4u);
    EXPECT_EQ(r.times.total, 36u); // guest time is already in user and nice
    EXPECT_EQ(ProcStat::parse(stat, 1).status, ProcStat::Status::NoSuchCpu); // not "cpu10"
    EXPECT_EQ(ProcStat::parse("cpu0 1 2 x\n", 0).status, ProcStat::Status::NoIdleCounter);
    EXPECT_EQ(ProcStat::parse("", 0).status, ProcStat::Status::NoSuchCpu);
}

TEST(CpuLoadSamplerTest, LoadBetweenTwoSamples)
{
    FakeRoot fake;
    fake.stat(100, 900);
    CpuLoadSampler sampler(fake.root());
    CpuLoadSampler::Sample first = sampler.sample();
    EXPECT_TRUE(first.error.isEmpty());
    EXPECT_EQ(first.load, 0.0); // the first sample only initialises
    fake.stat(175, 925);        // 75 busy and 25 idle ticks
    CpuLoadSampler::Sample second = sampler.sample();
    EXPECT_TRUE(second.error.isEmpty());
    EXPECT_DOUBLE_EQ(second.load, 0.75);
    // No time elapsed: 0. Counters that ran backwards: 0, never negative or above 1.
    EXPECT_EQ(sampler.sample().load, 0.0);
    fake.stat(10, 10);
    EXPECT_EQ(sampler.sample().load, 0.0);
    fake.stat(10, 5000); // idle grew more than the whole: bounded to 0
    EXPECT_EQ(sampler.sample().load, 0.0);
    fake.stat(1000000, 5000);
    EXPECT_DOUBLE_EQ(sampler.sample().load, 1.0);
}

TEST(CpuLoadSamplerTest, ReportsWhyTheLoadCantBeMeasured)
{
    TempDir empty;
    EXPECT_EQ(CpuLoadSampler(empty.path()).sample().error,
              "Unable to start performance monitoring");
    empty.mkdir("proc");
    EXPECT_EQ(CpuLoadSampler(empty.path()).sample().error,
              "Unable to locate the \"Processor\" performance object");
    empty.write("proc/stat", "");
    EXPECT_EQ(CpuLoadSampler(empty.path()).sample().error, "Unable to read performance data");
    empty.write("proc/stat", "cpu 1 2 3 4\n");
    EXPECT_EQ(CpuLoadSampler(empty.path()).sample().error, "CPU index out of bounds");
    empty.write("proc/stat", "cpu0 1 2\n");
    EXPECT_EQ(CpuLoadSampler(empty.path()).sample().error,
              "Unable to locate the \"% of CPU usage\" performance counter");
}

TEST(SystemInfoReaderTest, ProcessorClockAndMemory)
{
    FakeRoot fake;
    fake.dir.write("proc/cpuinfo", "processor\t: 0\nvendor_id\t: GenuineIntel\n"
                                   "model name\t: Intel(R)  Atom(TM) CPU D525   @ 1.80GHz\n"
                                   "cpu MHz\t\t: 1799.875\n\nprocessor\t: 1\nvendor_id\t: Other\n"
                                   "model name\t: second\n");
    fake.dir.write("proc/meminfo", "MemTotal:        2048000 kB\nMemFree:          100000 kB\n"
                                   "MemAvailable:    1048575 kB\n");
    SystemInfoReader reader(fake.root());
    EXPECT_EQ(reader.processorIdentity(),
              "Intel Intel(R) Atom(TM) CPU D525 @ 1.80GHz GenuineIntel");
    EXPECT_EQ(reader.clockMhz(), 1799);
    fake.dir.write("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "1800000\n");
    EXPECT_EQ(reader.clockMhz(), 1800);
    EXPECT_EQ(reader.memory().totalKb, 2048000u);
    EXPECT_EQ(reader.memory().freeKb, 1048575u);

    const QStringList lines = SystemDescription::startupLines("/opt/rovana/", reader);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], "Rovana path is /opt/rovana/");
    EXPECT_EQ(lines[2], "System running at 1800 Mhz");
    EXPECT_EQ(lines[3], "1023 MB free, 2000 MB total");
    EXPECT_EQ(lines[4], "External Power, no battery, no info on % load");

    // An unknown vendor has no name; a machine with nothing readable still gives lines.
    EXPECT_EQ(SystemInfoReader::parseCpuInfo("vendor_id : Acme\n").vendorId, "Acme");
    TempDir nothing;
    SystemInfoReader bare(nothing.path());
    EXPECT_EQ(bare.processorIdentity(), "");
    EXPECT_EQ(bare.clockMhz(), 0);
    EXPECT_EQ(SystemInfoReader::parseMemInfo("MemTotal: 4096 kB\nMemFree: 1024 kB\n").freeKb,
              1024u);
}

TEST(SystemInfoReaderTest, PowerLines)
{
    auto line = [](FakeRoot &fake) {
        return SystemDescription::powerLine(SystemInfoReader(fake.root()).powerStatus());
    };
    {
        FakeRoot desktop; // mains, no battery
        desktop.supply("AC", {{"type", "Mains"}, {"online", "1"}});
        EXPECT_EQ(line(desktop), "External Power, no battery, no info on % load");
    }
    {
        FakeRoot laptop; // on battery at 57 %, a normal level: no battery text
        laptop.supply("AC", {{"type", "Mains"}, {"online", "0"}});
        laptop.supply("BAT0", {{"type", "Battery"},
                               {"status", "Discharging"},
                               {"capacity", "57"},
                               {"capacity_level", "Normal"}});
        laptop.supply("hidpp_battery_0",
                      {{"type", "Battery"}, {"scope", "Device"}, {"capacity", "5"}});
        EXPECT_EQ(line(laptop), "Internal Power, 57 %");
    }
    {
        FakeRoot charging; // charging at a low level is a combination of flags
        charging.supply("BAT1", {{"type", "Battery"}, {"status", "Charging"}, {"capacity", "20"}});
        EXPECT_EQ(line(charging), "External Power, 20 %");
        charging.supply("BAT1", {{"capacity", "50"}});
        EXPECT_EQ(line(charging), "External Power, battery loading, 50 %");
    }
    {
        FakeRoot low;
        low.supply("BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "3"}});
        EXPECT_EQ(line(low), "Internal Power, battery critical, 3 %");
        low.supply("BAT0", {{"capacity_level", "Low"}});
        EXPECT_EQ(line(low), "Internal Power, battery low, 3 %");
        low.supply("BAT0", {{"capacity_level", "Full"}, {"status", "Full"}, {"capacity", "100"}});
        EXPECT_EQ(line(low), "External Power, battery good, 100 %");
    }
    {
        FakeRoot unknown; // a battery that tells nothing, and a mains supply that is off
        unknown.supply("AC", {{"type", "Mains"}, {"online", "0"}});
        unknown.supply("BAT0", {{"type", "Battery"}, {"status", "Unknown"}});
        EXPECT_EQ(line(unknown), "Internal Power, no battery info, no info on % load");
        FakeRoot offline;
        offline.supply("AC", {{"type", "Mains"}, {"online", "0"}});
        EXPECT_EQ(line(offline), "Powersource unknown, no battery, no info on % load");
    }
}
