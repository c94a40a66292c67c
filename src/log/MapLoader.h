#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class MapSource;

// Opens a map file on a thread of its own and hands the result to the thread the loader
// lives on (the UI thread). A prepared map (.rovanamap, or a file that starts as one) is
// memory-mapped and opens at once; an extract is read whole. Destroying the loader stops
// a read under way and waits for it.
class MapLoader : public QObject {
    Q_OBJECT
public:
    struct Result {
        std::shared_ptr<MapSource> source; // null on failure
        QString error;                     // why, for the log
    };
    using Finished = std::function<void(Result result)>;

    MapLoader() = default;
    ~MapLoader() override;

    // False while a read is under way.
    bool start(const QString &path, Finished finished);
    bool isLoading() const { return m_loading; }

    // The opening itself, on the calling thread.
    static Result open(const QString &path, const std::atomic<bool> &stop);

private:
    void deliver(Result result);

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    bool m_loading = false;
    Finished m_finished;
};
