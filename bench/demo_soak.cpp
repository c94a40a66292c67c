// The demo under load: both feeds at the line rate for ten minutes (GPS bursts of GGA and
// RMC back to back, CAN2COM lines in bursts of ten, each burst followed by just more than
// the reader's 40 ms gap), a knob key every 100 ms. Reports the growth of the resident
// memory and of the open descriptors from the first minute to the end, every GPS fix and
// CAN line lost or repeated on the way, and the longest stall of the UI thread.
#include "core/CommandKey.h"
#include "app/CommPortControl.h"
#include "core/Dispatcher.h"
#include "app/TForm1.h"
#include "can/CanTrace.h"
#include "FeedLog.h"
#include "gps/GpsReception.h"
#include "gps/Tgps_gga.h"
#include "NmeaSentence.h"
#include "PollingClock.h"
#include "PtyLink.h"
#include "Replayer.h"
#include "WaypointDrive.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTime>
#include <QTimer>

#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// One replayed device on a thread of its own, sending its bursts once.
class FeedThread {
public:
    FeedThread(const QString &link, std::vector<FeedBlock> blocks, ReplayPace pace)
        : m_link(link), m_blocks(std::move(blocks)), m_pace(pace)
    {
    }
    ~FeedThread()
    {
        if (m_stop >= 0) {
            const quint64 one = 1;
            (void)::write(m_stop, &one, sizeof one);
        }
        if (m_thread.joinable())
            m_thread.join();
        if (m_stop >= 0)
            ::close(m_stop);
    }
    bool open() { return m_link.open() && m_stop >= 0; }
    void start()
    {
        m_thread = std::thread([this] {
            PollingClock clock(m_stop);
            Replayer replayer(m_blocks, m_pace, clock, m_link);
            replayer.playOnce();
            m_done = true;
        });
    }
    bool done() const { return m_done; }
    qint64 lost() const { return m_link.droppedBytes() + m_link.unheardBytes(); }

private:
    PtyLink m_link;
    std::vector<FeedBlock> m_blocks;
    ReplayPace m_pace;
    int m_stop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    std::thread m_thread;
    std::atomic<bool> m_done{false};
};

qint64 residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

qint64 openDescriptors()
{
    return QDir(QStringLiteral("/proc/self/fd"))
        .entryList(QDir::NoDotAndDotDot | QDir::AllEntries)
        .size();
}

// GGA and RMC of the demo drive, over and over, bursts back to back with a gap the
// reader sees.
std::vector<FeedBlock> gpsBursts(int count)
{
    const std::vector<GeoPoint> loop{{51.3596, 7.2409}, {51.3660, 7.2480}, {51.3640, 7.2620},
                                     {51.3570, 7.2600}, {51.3550, 7.2480}, {51.3596, 7.2409}};
    const QDateTime start(QDate(2024, 5, 18), QTime(9, 30), Qt::UTC);
    const std::vector<DriveFix> fixes = WaypointDrive(loop, 50.0, start).fixes();
    std::vector<FeedBlock> blocks;
    for (int i = 0; i < count; ++i) {
        DriveFix fix = fixes[size_t(i) % fixes.size()];
        fix.utc = start.addSecs(i);
        blocks.push_back(
            {150ms, NmeaSentence::gga(fix) + "\r\n" + NmeaSentence::rmc(fix) + "\r\n"});
    }
    return blocks;
}

// Read-outs that write the trace and send no key: ignition and lights, in turn.
const QList<QByteArray> CanLines{"1001", "1002", "1003", "1200", "1201", "1202", "1203"};

std::vector<FeedBlock> canBursts(int count)
{
    std::vector<FeedBlock> blocks;
    for (int i = 0; i < count; ++i)
        blocks.push_back({i % 10 == 0 ? 60ms : 0ms, CanLines[i % CanLines.size()] + '\r'});
    return blocks;
}

// Waits in the event loop until done() or the bound.
template <typename Done> void settle(Done done, std::chrono::milliseconds bound)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < bound.count())
        // Sleeps until something happens (the window's timers wake it at least once a
        // second): a loop that only polls would take a whole core from the program.
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

static void BM_DemoSoak(benchmark::State &state)
{
    // ROVANA_SOAK_SECONDS shortens the run for a quick look.
    const auto duration =
        std::chrono::seconds(qEnvironmentVariableIntValue("ROVANA_SOAK_SECONDS") > 0
                                 ? qEnvironmentVariableIntValue("ROVANA_SOAK_SECONDS")
                                 : state.range(0));
    for (auto _ : state) {
        QTemporaryDir dir;
        const QString pd = dir.path() + QLatin1Char('/');
        QFile ini(pd + "Rovana.ini");
        if (!ini.open(QIODevice::WriteOnly))
            return state.SkipWithError("no program directory");
        ini.write(
            "[Pathes]\nMP3=/\nMOVIE=/\n[GPSMouseOptions]\nEnabled=1\n[CAN2ComPort]\nEnabled=1\n"
            "RadioGroup4.ItemIndex=1\n[Global_radarwarning]\nEnabled=1\n[Devices]\nCOM1=" +
            (pd + "gps.tty").toUtf8() + "\nCOM2=" + (pd + "can.tty").toUtf8() + "\n");
        ini.close();

        // A GPS burst takes about 0.3 s and the gap 0.15 s; a CAN burst 52 ms and 60 ms.
        const int gpsCount = int(duration / 450ms);
        const int canCount = int(duration / 112ms) * 10;
        FeedThread gps(pd + "gps.tty", gpsBursts(gpsCount), {4800, 0ms});
        FeedThread can(pd + "can.tty", canBursts(canCount), {9600, 0ms});
        if (!gps.open() || !can.open())
            return state.SkipWithError("no pseudo-terminal");

        Services services;
        services.gpsPort = CommPortControl::gps(pd + "Rovana.ini");
        services.can2comPort = CommPortControl::can2com(pd + "Rovana.ini");
        TForm1 form(pd, std::move(services));
        form.show();
        // Every fix carries the next second: count them as the reception takes them in,
        // and every time one is not the second after the last as lost or repeated.
        qint64 fixes = 0, fixesOutOfStep = 0;
        QTime lastFix;
        QTimer fixWatch;
        fixWatch.setInterval(20);
        QObject::connect(&fixWatch, &QTimer::timeout, [&] {
            const QTime utc =
                QTime::fromString(form.gps()->gga().UTCTime, QStringLiteral("HHmmss"));
            if (!utc.isValid() || utc == lastFix)
                return;
            if (lastFix.isValid() && lastFix.secsTo(utc) != 1)
                ++fixesOutOfStep;
            lastFix = utc;
            ++fixes;
        });
        fixWatch.start();
        // The trace's lines are checked as they come and then cleared: keeping them here
        // would grow this process as the program's own memory is being measured.
        auto &trace = static_cast<CanTrace &>(form.trace());
        const QStringList captions{"Ignition Key 0", "Ignition Key 1", "Ignition Key 2",
                                   "Light Off ",     "Light Park ",    "Light Lower ",
                                   "Light Upper "};
        qint64 traced = 0, canWrong = 0;
        QString firstWrong;
        auto collectTrace = [&] {
            for (const QString &line : trace.lines()) {
                const QString caption = line.section(QLatin1Char(' '), 1);
                if (caption != captions[traced % captions.size()] && canWrong++ == 0)
                    firstWrong = QString::number(traced) + QStringLiteral(": ") + caption;
                ++traced;
            }
            trace.clear();
        };

        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0, longestStall = 0, keys = 0;
        qint64 rssAtMinute = 0, fdsAtMinute = 0;
        QList<qint64> rssPerMinute; // the trend: growth that goes on, or settles
        QTimer ticker;
        ticker.setInterval(100);
        ticker.setTimerType(Qt::PreciseTimer); // a late tick is a stall, not timer slack
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            longestStall = std::max(longestStall, now - lastTick - 100);
            lastTick = now;
            quint16 key = (keys++ % 2) ? CommandKey::L : CommandKey::R;
            form.dispatcher().FormKeyDown(key);
            if (keys % 100 == 0)
                collectTrace();
            if (now >= 60'000 * qint64(rssPerMinute.size() + 1))
                rssPerMinute << residentKb();
            if (rssAtMinute == 0 && now >= 60'000) {
                rssAtMinute = residentKb();
                fdsAtMinute = openDescriptors();
            }
        });
        lastTick = clock.elapsed();
        ticker.start();
        gps.start();
        can.start();
        settle([&] { return gps.done() && can.done(); }, duration + 60s);
        settle([] { return false; }, 1s); // the last chunks
        ticker.stop();
        collectTrace();
        if (rssAtMinute == 0) {
            rssAtMinute = residentKb();
            fdsAtMinute = openDescriptors();
        }

        QTextStream trend(stderr);
        trend << "resident kB at each minute:";
        for (const qint64 kb : std::as_const(rssPerMinute))
            trend << ' ' << kb;
        trend << '\n';

        // Every line the program decoded, in order: the captions of the lines sent.
        canWrong += std::abs(traced - canCount);
        state.counters["gps_sent"] = double(gpsCount);
        state.counters["gps_lost_or_repeated"] =
            double(std::abs(fixes - gpsCount) + fixesOutOfStep);
        state.counters["can_sent"] = double(canCount);
        state.counters["can_lost_or_wrong"] = double(canWrong);
        state.counters["bytes_unheard"] = double(gps.lost() + can.lost());
        state.counters["rss_growth_pct"] =
            rssAtMinute > 0 ? 100.0 * double(residentKb() - rssAtMinute) / double(rssAtMinute) : 0;
        state.counters["fd_growth"] = double(openDescriptors() - fdsAtMinute);
        state.counters["longest_ui_stall_ms"] = double(longestStall);
        state.counters["keys"] = double(keys);
        if (fixes != gpsCount || fixesOutOfStep != 0 || canWrong != 0) {
            QTextStream(stderr) << "fixes " << fixes << " of " << gpsCount << ", " << fixesOutOfStep
                                << " out of step; CAN lines " << traced << " of " << canCount
                                << ", first wrong " << firstWrong << "\n";
            state.SkipWithError("lines lost, repeated or out of order");
        }
    }
}
BENCHMARK(BM_DemoSoak)->Arg(600)->Iterations(1)->Unit(benchmark::kSecond);
