#pragma once

#include "log/MapReader.h"

#include <QObject>

#include <atomic>
#include <functional>
#include <thread>

// Reads a map file on a thread of its own and hands the result to the thread the loader
// lives on (the UI thread). Destroying the loader stops a read under way and waits for it.
class MapLoader : public QObject {
    Q_OBJECT
public:
    using Finished = std::function<void(MapReader::Result result)>;

    MapLoader() = default;
    ~MapLoader() override;

    // False while a read is under way.
    bool start(const QString &path, Finished finished);
    bool isLoading() const { return m_loading; }

private:
    void deliver(MapReader::Result result);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_loading = false;
    Finished m_finished;
};
