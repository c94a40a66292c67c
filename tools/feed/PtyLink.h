#pragma once

#include "FeedSink.h"

#include <QString>

// The far end of a pseudo-terminal that stands in for a device's serial line, with a
// symbolic link of a stable name to its terminal side (say build/demo/gps.tty) for the
// program under test to open. The link goes away with the object, unless another feed
// took the name over meanwhile.
class PtyLink : public FeedSink {
public:
    explicit PtyLink(QString linkPath);
    ~PtyLink() override;
    PtyLink(const PtyLink &) = delete;
    PtyLink &operator=(const PtyLink &) = delete;

    // False, with error() saying why, when the terminal or the link could not be made.
    bool open();
    QString error() const { return m_error; }
    QString terminalPath() const { return m_terminal; }
    QString linkPath() const { return m_link; }
    int masterFd() const { return m_master; }

    // Writes without ever blocking: bytes the line cannot take (the program stopped
    // reading) are lost, as on a real line. So are bytes sent while no program holds the
    // terminal open, so that one that opens it later starts with fresh data, as from a
    // device that was talking to an unplugged cable.
    void send(QByteArrayView bytes) override;
    qint64 droppedBytes() const { return m_dropped; }
    qint64 unheardBytes() const { return m_unheard; }

private:
    bool makeTerminal();
    bool makeLink();
    void removeLink();
    bool listening();
    void discardStale() const;
    void discardReplies();

    QString m_link;
    QString m_terminal;
    QString m_error;
    int m_master = -1;
    bool m_linked = false;
    qint64 m_dropped = 0;
    qint64 m_unheard = 0;
    bool m_listening = false;
};
