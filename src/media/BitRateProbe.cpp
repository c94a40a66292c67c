#include "media/BitRateProbe.h"

#include "media/TrackInfo.h"

BitRateProbe::BitRateProbe(QObject *parent, Scan scan)
    : QObject(parent),
      m_scan(scan ? std::move(scan) : Scan([](const QString &path, std::stop_token stop) {
          return TrackInfo::getbitrate(path, std::move(stop));
      }))
{
}

// The worker is joined before the QObject goes away; results it posted and that are
// still queued are dropped with the object.
BitRateProbe::~BitRateProbe() { stopWorker(); }

void BitRateProbe::start(const QString &path)
{
    stopWorker();
    const quint64 generation = ++m_generation;
    m_worker = std::jthread([this, generation, path, scan = m_scan](std::stop_token stop) {
        const QString text = scan(path, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this, [this, generation, path, text] { deliver(generation, path, text); },
            Qt::QueuedConnection);
    });
}

void BitRateProbe::cancel()
{
    stopWorker();
    ++m_generation;
}

// Waits at most for the block being read: the scan checks for a stop between blocks.
void BitRateProbe::stopWorker()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

void BitRateProbe::deliver(quint64 generation, const QString &path, const QString &text)
{
    if (generation == m_generation)
        emit finished(path, text);
}
