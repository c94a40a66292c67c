#pragma once

#include "can/CanLineJoiner.h"
#include "can/LinkSupervisor.h"
#include "can/SteeringWheel.h"
#include "core/IntervalTimer.h"

#include <QMetaObject>
#include <QString>

#include <functional>
#include <vector>

class CanPage;
class CanTrace;
class ColourScheme;
class QLabel;
class SerialPortControl;

// The receive side of the CAN2COM link (VSSCAN2COM): every chunk of the adapter is cut
// into lines, each line is decoded at once and in order, the read-outs of the "CAN" page
// and the trace follow, wheel buttons and the gear "D" become command keys. The link
// owns the steering wheel, the supervision and the trace buttons of the page.
class Can2ComLink {
public:
    // A line still without its carriage return this long after its chunk is decoded as it
    // stands: longer than the reader's 40 ms pause between chunks.
    static constexpr int WaitForRestMs = 200;

    using MessageBox = std::function<void(const QString &text)>;

    struct Wiring {
        SerialPortControl &port;
        CanPage &page;
        CanTrace &trace;
        QLabel &canLabel;
        std::function<QColor()> mainColour;
        std::function<bool()> enabled; // CAN2COMEnabledBox is checked
        std::function<void(const QString &)> sysMessage;
        SteeringWheel::KeyDown keyDown; // the dispatcher's FormKeyDown
        MessageBox messageBox;
        QString tracePath;             // where "Save TRACE" writes
        IntervalTimer::Factory timers; // empty: Qt timers
        // Each light-switch line's value (0 off, 1 park, 2 lower, 3 upper; others invalid).
        std::function<void(int value)> lightSwitch = {};
    };

    explicit Can2ComLink(Wiring wiring);
    ~Can2ComLink();
    Can2ComLink(const Can2ComLink &) = delete;
    Can2ComLink &operator=(const Can2ComLink &) = delete;

    // Buffer holds BufferLength bytes and a zero byte; the text ends at the first zero.
    void VSSCAN2COMReceiveData(const char *Buffer, quint16 BufferLength);
    void DecodeCanLine(const QString &line);
    void BitBtn14Click(); // "Save TRACE"
    void BitBtn15Click(); // "Clear TRACE"
    void setMessageBox(MessageBox messageBox);
    // The page's elements and the "CAN" indicator follow the colour pass.
    void registerColours(ColourScheme &colours);

    SteeringWheel &wheel() { return m_wheel; }
    LinkSupervisor &supervisor() { return m_supervisor; }

private:
    void connectButtons();
    void decode(const QByteArray &bytes);
    void restMissing();
    void setCaption(QLabel *label, const QString &caption);

    SerialPortControl &m_port;
    CanPage &m_page;
    CanTrace &m_trace;
    MessageBox m_messageBox;
    QString m_tracePath;
    std::function<void(int)> m_lightSwitch;
    SteeringWheel m_wheel;
    LinkSupervisor m_supervisor;
    CanLineJoiner m_joiner;
    std::unique_ptr<IntervalTimer> m_restTimer;
    std::vector<QMetaObject::Connection> m_buttons; // undone when the link goes
};
