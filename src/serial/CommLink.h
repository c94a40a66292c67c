#pragma once

#include <QObject>

#include <memory>
#include <mutex>

class CommNotification;

// What the component and its two workers share while a line is open: the device, the
// close event and the notification target. Each worker holds it for as long as it runs,
// so a worker that outlives ClosePort's wait can never touch a closed or reused
// descriptor or a destroyed component.
class CommLink {
public:
    // Takes ownership of both descriptors.
    CommLink(int device, int closeEvent, QObject *target);
    ~CommLink();
    CommLink(const CommLink &) = delete;
    CommLink &operator=(const CommLink &) = delete;

    int device() const { return m_device; }
    int closeEvent() const { return m_closeEvent; }

    // The close event stays signalled once set, for every waiter.
    void signalClose();
    bool closeSignalled() const;

    // Discards what the driver holds in either direction.
    void discardInput();
    void discardOutput();

    // Queues the notification for the target's thread. False when the target has been
    // released (the component closed the line or is gone).
    bool post(std::unique_ptr<CommNotification> notification);
    void releaseTarget();

private:
    int m_device;
    int m_closeEvent;
    std::mutex m_targetMutex;
    QObject *m_target;
};
