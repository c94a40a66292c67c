#include "log/MapLoader.h"

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
        MapReader::Result result = MapReader::readFile(path, m_stop);
        // Queued to this object: dropped by Qt if the loader is gone by then.
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)]() mutable { deliver(std::move(result)); },
            Qt::QueuedConnection);
    });
    return true;
}

void MapLoader::deliver(MapReader::Result result)
{
    m_loading = false;
    if (m_thread.joinable())
        m_thread.join();
    Finished finished = std::move(m_finished);
    m_finished = nullptr;
    if (finished)
        finished(std::move(result));
}
