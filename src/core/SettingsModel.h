#pragma once

#include "core/Settings.h"

#include <QObject>

#include <functional>
#include <utility>

// The settings as they stand while Rovana runs. The configuration fills it from the file
// and writes it back, the options screen edits it, and the subsystems read the values
// they need and follow its changes. `changed` fires once for each key whose value a
// change really altered, after the new values are in place; setting a value it already
// has fires nothing.
class SettingsModel : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    const Settings &values() const { return m_values; }

    template <typename T, typename V> void set(T Settings::*field, V &&value)
    {
        Settings next = m_values;
        next.*field = std::forward<V>(value);
        replace(next);
    }
    void update(const std::function<void(Settings &)> &change);
    void replace(const Settings &next);

    // The file has been read whole: what waits for the complete settings (the serial
    // links opening their ports) may go ahead.
    void finishLoad() { emit loaded(); }

signals:
    void changed(Settings::Key key);
    void loaded();

private:
    Settings m_values;
};
