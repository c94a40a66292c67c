#pragma once

#include "app/SerialPortControl.h"

#include <QStringList>

// A port that only records what was asked of it ("close", "port 3", "open").
class PortRequestLog : public SerialPortControl {
public:
    explicit PortRequestLog(int portIndex = 0) : m_index(portIndex) {}

    void ClosePort() override;
    void setPortIndex(int index) override;
    int portIndex() const override { return m_index; }
    bool OpenPort() override;
    bool isOpen() const override { return m_open; }

    const QStringList &requests() const { return m_requests; }

private:
    QStringList m_requests;
    int m_index;
    bool m_open = false;
};
