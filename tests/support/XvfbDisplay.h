#pragma once

#include <QByteArray>
#include <QProcess>

// A virtual X server of the test's own, for the few tests that need a real display;
// the server picks a free display number. Ends with the object.
class XvfbDisplay {
public:
    explicit XvfbDisplay(const QByteArray &screen = "800x600x24");
    ~XvfbDisplay();
    XvfbDisplay(const XvfbDisplay &) = delete;
    XvfbDisplay &operator=(const XvfbDisplay &) = delete;

    // ":N", or empty when the server could not be started.
    QByteArray name() const { return m_name; }

private:
    QProcess m_server;
    QByteArray m_name;
};
