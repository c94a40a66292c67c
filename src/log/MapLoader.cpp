#include "log/MapLoader.h"

#include "log/MapFile.h"
#include "log/MapReader.h"
#include "log/PreparedMap.h"
#include "log/WholeMapSource.h"

#include <QFile>

#include <QMetaObject>

MapLoader::~MapLoader()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool MapLoader::start(const QString &path, Finished finished)
{
    if (m_loading)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // the last read, long over: its result was delivered
    m_loading = true;
    m_finished = std::move(finished);
    m_thread = std::thread([this, path] {
        Result result = open(path, m_stop);
        // Queued to this object: dropped by Qt if the loader is gone by then.
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)]() mutable { deliver(std::move(result)); },
            Qt::QueuedConnection);
    });
    return true;
}

void MapLoader::deliver(Result result)
{
    m_loading = false;
    if (m_thread.joinable())
        m_thread.join();
    Finished finished = std::move(m_finished);
    m_finished = nullptr;
    if (finished)
        finished(std::move(result));
}

MapLoader::Result MapLoader::open(const QString &path, const std::atomic<bool> &stop)
{
    bool prepared = path.endsWith(QStringLiteral(".rovanamap"), Qt::CaseInsensitive);
    if (!prepared) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray head = file.read(16);
            prepared = MapFile::looksPrepared(
                {reinterpret_cast<const std::byte *>(head.constData()), std::size_t(head.size())});
        }
    }
    if (prepared) {
        MapFile::Opened opened = MapFile::open(path);
        if (!opened.file)
            return {nullptr, opened.error};
        return {std::make_shared<PreparedMap>(std::move(opened.file)), {}};
    }
    MapReader::Result read = MapReader::readFile(path, stop);
    if (!read.data)
        return {nullptr, read.error};
    return {std::make_shared<WholeMapSource>(std::move(read.data)), {}};
}
