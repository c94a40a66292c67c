#pragma once

#include "core/SerialPortControl.h"

#include <QByteArray>
#include <QStringList>

// A port that only records what was asked of it ("close", "port 3", "open COM4") and
// delivers the chunks a test hands it.
class PortRequestLog : public SerialPortControl {
public:
    explicit PortRequestLog(int portIndex = 0) : m_index(portIndex) {}

    void ClosePort() override;
    void setPortIndex(int index) override;
    int portIndex() const override { return m_index; }
    bool OpenPort() override;
    bool isOpen() const override { return m_open; }
    void setOnReceiveData(ReceiveHandler handler) override { m_handler = std::move(handler); }

    // Calls the receive handler with the bytes and the trailing zero byte.
    void deliver(const QByteArray &chunk) const;
    const QStringList &requests() const { return m_requests; }

private:
    QStringList m_requests;
    ReceiveHandler m_handler;
    int m_index;
    bool m_open = false;
};
