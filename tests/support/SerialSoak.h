#pragma once

#include "serial/TVSSComm32.h"
#include "support/PseudoTerminal.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <random>
#include <thread>

// Two lines fed at once for a while, as in the car: a GPS receiver at 4800 bit/s sending
// one block of sentences per second, and a CAN2COM adapter at 9600 bit/s sending short
// lines at irregular intervals. The bytes are random (zero bytes included) so that any
// loss, repetition or reordering shows. Used by the soak test and the soak benchmark.
namespace SerialSoak {

// Measures the time the component spends on the UI thread per notification.
class TimedComm : public TVSSComm32 {
public:
    qint64 maxDispatchNs = 0;

protected:
    void customEvent(QEvent *event) override
    {
        QElapsedTimer t;
        t.start();
        TVSSComm32::customEvent(event);
        maxDispatchNs = std::max(maxDispatchNs, t.nsecsElapsed());
    }
};

struct Line {
    QByteArray sent;
    QByteArray received;
    int chunks = 0;
    int largestChunk = 0;
    bool terminated = true; // every chunk had its zero byte after the data
    bool fed = true;        // the far end could send everything
    qint64 maxDispatchNs = 0;
};

struct Result {
    bool opened = false;
    std::array<Line, 2> lines; // 0 GPS, 1 CAN2COM
    qint64 maxUiGapMs = 0;     // longest pause of a 5 ms UI timer
    qint64 closeMs = 0;        // both ClosePort calls
};

// Sends bytes at a paced rate of bytesPerSecond in pieces, with pauses drawn by pause().
template <typename Pause>
void feed(const PseudoTerminal &pty, Line &line, std::atomic<bool> &stop, int bytesPerSecond,
          int minPiece, int maxPiece, unsigned seed, Pause pause)
{
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> pieceSize(minPiece, maxPiece);
    auto next = std::chrono::steady_clock::now();
    while (!stop.load()) {
        QByteArray piece;
        const int n = pieceSize(random);
        for (int i = 0; i < n; ++i)
            piece.append(char(byte(random)));
        if (!pty.send(piece)) {
            line.fed = false;
            return;
        }
        line.sent += piece;
        next += std::chrono::microseconds(1000000LL * n / bytesPerSecond) + pause(random);
        std::this_thread::sleep_until(next);
    }
}

inline Result run(std::chrono::milliseconds duration)
{
    Result result;
    PseudoTerminal gpsLine, canLine;
    TimedComm gps, can;
    gps.setBaudRate(TBaudRate::___4800);
    gps.setCarTimeout(100);
    can.setBaudRate(TBaudRate::___9600);
    can.setCarTimeout(40);
    can.setRTS_on(true);
    std::array<TimedComm *, 2> ports = {&gps, &can};
    std::array<const PseudoTerminal *, 2> ptys = {&gpsLine, &canLine};
    for (size_t i = 0; i < 2; ++i) {
        const QString path = ptys[i]->path();
        ports[i]->setDataBits(TDataBits::_8);
        ports[i]->setDevicePaths([path](TCommPort) { return path; });
        Line &line = result.lines[i];
        ports[i]->setOnReceiveData([&line](const char *buffer, quint16 length) {
            line.received.append(buffer, length);
            ++line.chunks;
            line.largestChunk = std::max<int>(line.largestChunk, length);
            line.terminated = line.terminated && buffer[length] == 0;
        });
        if (!ports[i]->OpenPort())
            return result;
    }
    result.opened = true;

    QElapsedTimer sinceTick;
    sinceTick.start();
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { result.maxUiGapMs = std::max(result.maxUiGapMs, sinceTick.restart()); });
    ticker.start(5);

    std::atomic<bool> stop{false};
    // GPS: 12-byte pieces at 480 bytes/s; after about 400 bytes a pause to the next second.
    std::thread gpsFeed([&] {
        int inBlock = 0;
        feed(gpsLine, result.lines[0], stop, 480, 12, 12, 4800, [&inBlock](std::mt19937 &) {
            inBlock += 12;
            if (inBlock < 400)
                return std::chrono::microseconds(0);
            inBlock = 0;
            return std::chrono::microseconds(170000);
        });
    });
    // CAN2COM: lines of 6 to 20 bytes at 960 bytes/s, 5 to 40 ms apart.
    std::thread canFeed([&] {
        feed(canLine, result.lines[1], stop, 960, 6, 20, 9600, [](std::mt19937 &random) {
            return std::chrono::microseconds(
                std::uniform_int_distribution<int>(5000, 40000)(random));
        });
    });

    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
    stop = true;
    gpsFeed.join();
    canFeed.join();

    // Everything sent must still arrive: wait for the last gaps to pass.
    QElapsedTimer drain;
    drain.start();
    const auto complete = [&] {
        return std::all_of(result.lines.begin(), result.lines.end(),
                           [](const Line &l) { return l.received.size() >= l.sent.size(); });
    };
    while (!complete() && drain.elapsed() < 10000) {
        QEventLoop wait;
        QTimer::singleShot(10, &wait, &QEventLoop::quit);
        wait.exec();
    }
    ticker.stop();

    QElapsedTimer closing;
    closing.start();
    gps.ClosePort();
    can.ClosePort();
    result.closeMs = closing.elapsed();
    for (size_t i = 0; i < 2; ++i)
        result.lines[i].maxDispatchNs = ports[i]->maxDispatchNs;
    return result;
}

} // namespace SerialSoak
