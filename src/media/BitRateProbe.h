#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <stop_token>
#include <thread>

// The bit-rate analysis of TrackInfo::getbitrate on a worker thread: the call to use from
// the user-interface thread. start() returns at once; finished() arrives later on the
// probe's own thread through its event loop. Starting again abandons the scan still
// running (its result never arrives), so a quick skip through tracks shows the bit rate
// of the last one only. Destroying the probe stops the scan.
class BitRateProbe : public QObject {
    Q_OBJECT
public:
    // The analysis run on the worker: getbitrate, or a stand-in in tests.
    using Scan = std::function<QString(const QString &path, std::stop_token stop)>;

    explicit BitRateProbe(QObject *parent = nullptr, Scan scan = {});
    ~BitRateProbe() override;

    void start(const QString &path);
    // Abandons the running scan, if any; no finished() follows for it.
    void cancel();

signals:
    // text as getbitrate gives it: "variable b/r", "<n> kBit/sec", "0 kBit/sec" or empty.
    void finished(const QString &path, const QString &text);

private:
    void deliver(quint64 generation, const QString &path, const QString &text);
    void stopWorker();

    Scan m_scan;
    std::jthread m_worker;
    quint64 m_generation = 0; // touched on the probe's thread only
};
