#include "media/CoverProbe.h"

#include "media/FileByteSource.h"
#include "media/TID3Engine.h"

#include <QBuffer>
#include <QImageReader>

#include <exception>

CoverProbe::CoverProbe(QObject *parent) : QObject(parent) {}

// The worker is joined before the QObject goes away; a result it posted and that is
// still queued is dropped with the object.
CoverProbe::~CoverProbe() { stopWorker(); }

void CoverProbe::start(const QString &trackPath, QSize box)
{
    stopWorker();
    const quint64 generation = ++m_generation;
    m_worker = std::jthread([this, generation, trackPath, box](std::stop_token stop) {
        const QImage picture = embeddedCover(trackPath, box);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(
            this,
            [this, generation, trackPath, picture] { deliver(generation, trackPath, picture); },
            Qt::QueuedConnection);
    });
}

void CoverProbe::cancel()
{
    stopWorker();
    ++m_generation;
}

// A picture is read and decoded in one go: the wait is at most that of one picture.
void CoverProbe::stopWorker()
{
    if (m_worker.joinable()) {
        m_worker.request_stop();
        m_worker.join();
    }
}

void CoverProbe::deliver(quint64 generation, const QString &trackPath, const QImage &picture)
{
    if (generation == m_generation)
        emit finished(trackPath, picture);
}

bool CoverProbe::mayHoldCover(const QString &trackPath)
{
    FileByteSource file(trackPath);
    return file.isOpen() && file.readBytes(0, 3) == "ID3";
}

QImage CoverProbe::embeddedCover(const QString &trackPath, QSize box)
{
    try {
        FileByteSource file(trackPath);
        if (!file.isOpen())
            return {};
        const auto picture = TID3Engine(file).cover();
        if (!picture)
            return {};
        QBuffer buffer;
        buffer.setData(picture->data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        const QSize full = reader.size();
        // A size the header doesn't give can't be checked before decoding: not taken.
        if (!full.isValid() || full.width() > MaxSide || full.height() > MaxSide)
            return {};
        if (box.isValid() && (full.width() > box.width() || full.height() > box.height()))
            reader.setScaledSize(full.scaled(box, Qt::KeepAspectRatio));
        return reader.read();
    } catch (const std::exception &) {
        return {}; // out of memory on a hostile tag: the next cover in line shows
    }
}
