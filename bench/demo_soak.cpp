// The demo under the heaviest load its devices can give, for thirty minutes: the CAN2COM
// adapter writing its lines at the full 115,200 baud (about 1,830 lines a second, see
// canBursts), the GPS receiver at 10 fixes a second, a knob key every 100 ms. Reports the
// resident memory at minute 5 and at the end (and every minute between), the growth of
// the open descriptors, every CAN line lost or out of order, the fixes taken in, and the
// longest stall of the UI thread. ROVANA_SOAK_SECONDS shortens the run; the reference
// point is then a sixth of it instead of minute 5.
#include "app/CommPortControl.h"
#include "app/TForm1.h"
#include "can/CanTrace.h"
#include "core/CommandKey.h"
#include "core/Dispatcher.h"
#include "FeedLog.h"
#include "gps/GpsReception.h"
#include "gps/Tgps_gga.h"
#include "NmeaSentence.h"
#include "PollingClock.h"
#include "PtyLink.h"
#include "Replayer.h"
#include "support/StandInServices.h"
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
    // loop: the blocks over and over until stop().
    FeedThread(const QString &link, std::vector<FeedBlock> blocks, ReplayPace pace, bool loop)
        : m_link(link), m_blocks(std::move(blocks)), m_pace(pace), m_loop(loop)
    {
    }
    ~FeedThread()
    {
        stop();
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
            replayer.play(m_loop);
            m_bytes = replayer.stats().bytes;
            m_done = true;
        });
    }
    void stop()
    {
        if (m_stop >= 0) {
            const quint64 one = 1;
            (void)::write(m_stop, &one, sizeof one);
        }
    }
    bool done() const { return m_done; }
    // Bytes sent, once done.
    qint64 bytes() const { return m_bytes; }
    qint64 lost() const { return m_link.droppedBytes() + m_link.unheardBytes(); }

private:
    PtyLink m_link;
    std::vector<FeedBlock> m_blocks;
    ReplayPace m_pace;
    bool m_loop;
    int m_stop = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    std::thread m_thread;
    std::atomic<bool> m_done{false};
    std::atomic<qint64> m_bytes{0};
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

// GGA and RMC of the demo drive, over and over, one burst every 100 ms. Each fix
// carries the next second of its own clock, so that the fixes taken in can be told apart.
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
        blocks.push_back({0ms, NmeaSentence::gga(fix) + "\r\n" + NmeaSentence::rmc(fix) + "\r\n"});
    }
    return blocks;
}

// Read-outs that write the trace and send no key: ignition and lights, in turn.
const QList<QByteArray> CanLines{"1001", "1002", "1003", "1200", "1201", "1202", "1203"};
constexpr qint64 CanLineBytes = 5; // four digits and a carriage return

// The adapter's lines back to back at the line's full rate, in bursts of 399 lines
// (1,995 bytes, a whole number of rounds of CanLines, just under the reader's 2,048-byte
// buffer), each burst after just more than the reader's 40 ms gap: about 1,830 lines a
// second. Without the gap the buffer would end inside a line every 2,048 bytes, and a cut
// line is decoded as two broken ones by design.
std::vector<FeedBlock> canBursts()
{
    QByteArray block;
    for (int i = 0; i < 7 * 57; ++i)
        block += CanLines[i % CanLines.size()] + '\r';
    return {{45ms, block}};
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

        // GPS: 10 Hz at 38,400 baud, a burst of 0.04 s every 0.1 s. CAN2COM: 115,200
        // baud, until the GPS drive is over.
        const int gpsCount = int(duration / 100ms);
        FeedThread gps(pd + "gps.tty", gpsBursts(gpsCount), {38400, 100ms}, false);
        FeedThread can(pd + "can.tty", canBursts(), {115200, 0ms}, true);
        if (!gps.open() || !can.open())
            return state.SkipWithError("no pseudo-terminal");

        Services services;
        services.gpsPort = CommPortControl::gps(pd + "Rovana.ini");
        services.can2comPort = CommPortControl::can2com(pd + "Rovana.ini");
        TForm1 form(pd, standInServices(std::move(services)));
        form.show();
        // Every fix carries the next second: count them as the reception takes them in.
        // At 10 Hz the reader's 100 ms gap never passes, so fixes arrive in full buffers
        // of several at once and the watch sees only the last of each; a fix whose
        // sentences a buffer cuts in two is lost by design. What must never happen is a
        // fix older than one already taken.
        qint64 fixes = 0, fixesBackwards = 0;
        QTime lastFix;
        QTimer fixWatch;
        fixWatch.setInterval(20);
        QObject::connect(&fixWatch, &QTimer::timeout, [&] {
            const QTime utc =
                QTime::fromString(form.gps()->gga().UTCTime, QStringLiteral("HHmmss"));
            if (!utc.isValid() || utc == lastFix)
                return;
            if (lastFix.isValid() && lastFix.secsTo(utc) < 0)
                ++fixesBackwards;
            lastFix = utc;
            ++fixes;
        });
        fixWatch.start();
        // The trace keeps 64 KiB, less than a second of this feed: its lines are checked
        // as they are made, and nothing here keeps them, so the program's own bound is
        // what is measured.
        auto &trace = static_cast<CanTrace &>(form.trace());
        const QStringList captions{"Ignition Key 0", "Ignition Key 1", "Ignition Key 2",
                                   "Light Off ",     "Light Park ",    "Light Lower ",
                                   "Light Upper "};
        qint64 traced = 0, canWrong = 0;
        QString firstWrong;
        qint64 lastWrong = -1;
        trace.setListener([&](const QString &line) {
            const QString caption = line.section(QLatin1Char(' '), 1);
            if (caption != captions[traced % captions.size()]) {
                if (canWrong++ == 0)
                    firstWrong = QString::number(traced) + QStringLiteral(": ") + caption;
                lastWrong = traced;
            }
            ++traced;
        });

        QElapsedTimer clock;
        clock.start();
        qint64 lastTick = 0, longestStall = 0, keys = 0;
        // Minute 5 of the full run; a sixth of a shortened one.
        const qint64 referenceMs =
            std::min<qint64>(300'000, std::chrono::milliseconds(duration).count() / 6);
        qint64 rssAtReference = 0, fdsAtReference = 0;
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
            if (now >= 60'000 * qint64(rssPerMinute.size() + 1))
                rssPerMinute << residentKb();
            if (rssAtReference == 0 && now >= referenceMs) {
                rssAtReference = residentKb();
                fdsAtReference = openDescriptors();
            }
        });
        lastTick = clock.elapsed();
        ticker.start();
        gps.start();
        can.start();
        settle([&] { return gps.done(); }, duration + 60s);
        can.stop();
        settle([&] { return can.done(); }, 10s);
        settle([] { return false; }, 1s); // the last chunks
        ticker.stop();
        trace.setListener({});
        const qint64 rssAtEnd = residentKb();
        if (rssAtReference == 0) {
            rssAtReference = rssAtEnd;
            fdsAtReference = openDescriptors();
        }

        QTextStream trend(stderr);
        trend << "resident kB at " << referenceMs / 1000 << " s: " << rssAtReference
              << ", at the end: " << rssAtEnd << "; at each minute:";
        for (const qint64 kb : std::as_const(rssPerMinute))
            trend << ' ' << kb;
        trend << '\n';

        // Every line the program decoded, in order: the captions of the lines sent. The
        // last line may have been cut off by the stop.
        const qint64 canCount = can.bytes() / CanLineBytes;
        // A line the stop cut off is decoded as it stands once its rest fails to come:
        // one more line than were sent whole, the last one and the only wrong one.
        if (can.bytes() % CanLineBytes != 0 && traced == canCount + 1 && canWrong == 1 &&
            lastWrong == canCount) {
            canWrong = 0;
            --traced;
        }
        canWrong += std::abs(traced - canCount);
        state.counters["gps_sent"] = double(gpsCount);
        state.counters["gps_taken_seen"] = double(fixes);
        state.counters["gps_backwards"] = double(fixesBackwards);
        state.counters["can_sent"] = double(canCount);
        state.counters["can_lost_or_wrong"] = double(canWrong);
        state.counters["bytes_unheard"] = double(gps.lost() + can.lost());
        state.counters["rss_ref_MB"] = double(rssAtReference) / 1024.0;
        state.counters["rss_end_MB"] = double(rssAtEnd) / 1024.0;
        state.counters["rss_growth_pct"] =
            rssAtReference > 0 ? 100.0 * double(rssAtEnd - rssAtReference) / double(rssAtReference)
                               : 0;
        state.counters["fd_growth"] = double(openDescriptors() - fdsAtReference);
        state.counters["longest_ui_stall_ms"] = double(longestStall);
        state.counters["keys"] = double(keys);
        if (fixesBackwards != 0 || canWrong != 0) {
            QTextStream(stderr) << "fixes " << fixes << " of " << gpsCount << ", " << fixesBackwards
                                << " backwards; CAN lines " << traced << " of " << canCount
                                << ", first wrong " << firstWrong << "\n";
            state.SkipWithError("lines lost, repeated or out of order");
        }
    }
}
BENCHMARK(BM_DemoSoak)->Arg(1800)->Iterations(1)->Unit(benchmark::kSecond);
