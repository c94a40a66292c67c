#pragma once

#include <QByteArray>
#include <QThread>

#include <deque>
#include <memory>
#include <mutex>

class CommLink;

// The writer of an open port: it takes write requests from its own queue and writes each
// completely, unless the close event comes first. A write error ends it with a hang-up
// notification.
class TWriteThread : public QThread {
public:
    explicit TWriteThread(std::shared_ptr<CommLink> link);
    ~TWriteThread() override;

    // Queues bytes for the line. False once the writer has ended.
    bool post(QByteArray bytes);

protected:
    void run() override;

private:
    bool take(QByteArray &request);
    // Waits for the close event or a new request; false when the writer must end.
    bool waitForWork();
    bool write(const QByteArray &request);
    void fail(const QString &text);

    std::shared_ptr<CommLink> m_link;
    int m_wake; // counts queued requests for poll(); -1 when it couldn't be made
    int m_wakeError = 0;
    std::mutex m_queueMutex;
    std::deque<QByteArray> m_queue;
    bool m_ended = false;
};
