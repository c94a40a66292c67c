#pragma once

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>

#include <thread>

// The picture inside a track's tag, read and decoded on a worker thread: a large picture
// takes a while to decode and must not hold up the screen. start() returns at once;
// finished() arrives later through the probe's event loop, with a null image when the
// track carries no usable picture. Starting again or cancelling abandons the running
// read (its result never arrives); destroying the probe stops it.
class CoverProbe : public QObject {
    Q_OBJECT
public:
    // Pictures larger than this on either side are not decoded.
    static constexpr int MaxSide = 4096;

    explicit CoverProbe(QObject *parent = nullptr);
    ~CoverProbe() override;

    // The picture is read at most at box size (keeping its proportions).
    void start(const QString &trackPath, QSize box);
    void cancel();

    // Whether the file starts with a version 2 tag, the only place a picture can be.
    static bool mayHoldCover(const QString &trackPath);
    // The front cover (else the first picture) of the tag decoded at most at box size;
    // null when there is none, it is over 8 MB or MaxSide, or it can't be decoded.
    static QImage embeddedCover(const QString &trackPath, QSize box);

signals:
    void finished(const QString &trackPath, const QImage &picture);

private:
    void deliver(quint64 generation, const QString &trackPath, const QImage &picture);
    void stopWorker();

    std::jthread m_worker;
    quint64 m_generation = 0; // touched on the probe's thread only
};
