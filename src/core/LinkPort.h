#pragma once

#include <QObject>

#include <functional>

class SerialPortControl;
class SettingsModel;

// A serial link's port as its settings say. Once the settings are loaded, an enabled link
// closes its port, sets it to the configured line and opens it again; a disabled one
// leaves it alone. Later changes of the options take effect at the next start.
class LinkPort : public QObject {
    Q_OBJECT
public:
    enum class Link { Gps, Can2Com };
    using SystemMessage = std::function<void(const QString &)>;

    // The CAN2COM link says which line it tries before it opens the port.
    LinkPort(SettingsModel &settings, Link link, SerialPortControl &port,
             SystemMessage systemMessage = {}, QObject *parent = nullptr);

    // As the settings stand now. A port that fails to open says so by throwing.
    void open();

private:
    SettingsModel &m_settings;
    Link m_link;
    SerialPortControl &m_port;
    SystemMessage m_systemMessage;
};
