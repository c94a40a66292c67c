#include "can/Can2ComLink.h"

#include "can/CanHex.h"
#include "can/CanLine.h"
#include "can/CanPage.h"
#include "can/CanTrace.h"
#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "core/QtIntervalTimer.h"
#include "core/SerialPortControl.h"

#include <QLabel>
#include <QPushButton>

namespace {

IntervalTimer::Factory orQtTimers(IntervalTimer::Factory timers)
{
    return timers ? std::move(timers) : IntervalTimer::Factory(&QtIntervalTimer::make);
}

} // namespace

Can2ComLink::Can2ComLink(Wiring w)
    : m_port(w.port), m_page(w.page), m_trace(w.trace), m_messageBox(w.messageBox),
      m_tracePath(w.tracePath), m_lightSwitch(std::move(w.lightSwitch)),
      m_wheel(w.page, w.trace, std::move(w.keyDown), orQtTimers(w.timers)()),
      m_supervisor({w.port, w.canLabel, std::move(w.mainColour), std::move(w.enabled),
                    std::move(w.sysMessage), w.messageBox},
                   orQtTimers(w.timers))
{
    m_restTimer = orQtTimers(w.timers)();
    m_restTimer->setHandler([this] { restMissing(); });
    connectButtons();
    m_port.setOnReceiveData(
        [this](const char *buffer, quint16 length) { VSSCAN2COMReceiveData(buffer, length); });
}

Can2ComLink::~Can2ComLink()
{
    m_port.setOnReceiveData({});
    for (const QMetaObject::Connection &c : m_buttons)
        QObject::disconnect(c);
}

void Can2ComLink::connectButtons()
{
    const std::pair<QPushButton *, std::function<void()>> buttons[] = {
        {m_page.BitBtn12,
         [this] {
             m_supervisor.BitBtn12Click();
         }},
        {m_page.BitBtn13,
         [this] {
             m_supervisor.BitBtn13Click();
         }},
        {m_page.BitBtn14,
         [this] {
             BitBtn14Click();
         }},
        {m_page.BitBtn15, [this] {
             BitBtn15Click();
         }}};
    for (const auto &[button, action] : buttons)
        m_buttons.push_back(QObject::connect(button, &QPushButton::clicked, button, action));
}

// The lines of this chunk are a list of its own: a chunk handled while a key of this one
// is being dispatched (an action that runs the event loop) is decoded whole, nested, and
// this one goes on after it where it stood. A line cut at the end of the chunk waits for
// its rest from the next one.
void Can2ComLink::VSSCAN2COMReceiveData(const char *Buffer, quint16 BufferLength)
{
    m_supervisor.dataArrived();
    if (!Buffer)
        return;
    // The text ends at the first zero byte, at the latest at the terminator.
    const QByteArray chunk(Buffer, qsizetype(qstrnlen(Buffer, BufferLength)));
    const QByteArray whole = m_joiner.feed(chunk);
    if (m_joiner.waiting())
        m_restTimer->start(WaitForRestMs);
    else
        m_restTimer->stop();
    decode(whole);
}

void Can2ComLink::restMissing()
{
    m_restTimer->stop();
    decode(m_joiner.flush());
}

void Can2ComLink::decode(const QByteArray &bytes)
{
    try {
        const QStringList lines = CanHex::lines(bytes);
        for (const QString &line : lines)
            DecodeCanLine(line);
    } catch (...) {
        // The lines already decoded keep their effect.
    }
}

void Can2ComLink::setCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    m_trace.AddTrace(caption);
}

void Can2ComLink::DecodeCanLine(const QString &line)
{
    const CanLine l = CanLine::read(line);
    switch (l.type) {
    case CanLine::Identity:
        m_trace.AddTrace(QStringLiteral("Car ID is ") + l.identity);
        if (m_page.id->text() != l.identity)
            m_page.id->setText(l.identity);
        break;
    case CanLine::KeyPosition:
        setCaption(m_page.keypos, CanLine::keyPositionCaption(l.value));
        break;
    case CanLine::Gear:
        setCaption(m_page.gear, CanLine::gearCaption(l.value));
        // Every line that reports "D" sends T, not only a change to "D".
        if (l.value == CanLine::GearDrive)
            m_wheel.SendWheelKey(CommandKey::T);
        break;
    case CanLine::Light:
        setCaption(m_page.light, CanLine::lightCaption(l.value));
        if (m_lightSwitch)
            m_lightSwitch(l.value);
        break;
    case CanLine::Wheel:
        m_wheel.HandleWheelState(l.value);
        break;
    default:
        break;
    }
}

void Can2ComLink::BitBtn14Click()
{
    const QString error = m_trace.save(m_tracePath);
    if (!error.isEmpty() && m_messageBox)
        m_messageBox(error);
}

void Can2ComLink::BitBtn15Click() { m_trace.clear(); }

void Can2ComLink::setMessageBox(MessageBox messageBox)
{
    m_messageBox = messageBox;
    m_supervisor.setMessageBox(std::move(messageBox));
}

void Can2ComLink::registerColours(ColourScheme &colours)
{
    m_page.registerColours(colours);
    colours.addPaletteUser([this](const ColourScheme::Palette &) { m_supervisor.schemeChanged(); });
}
