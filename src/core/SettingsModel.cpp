#include "core/SettingsModel.h"

void SettingsModel::update(const std::function<void(Settings &)> &change)
{
    Settings next = m_values;
    change(next);
    replace(next);
}

void SettingsModel::replace(const Settings &next)
{
    const std::vector<Settings::Key> keys = Settings::differences(m_values, next);
    if (keys.empty())
        return;
    m_values = next;
    for (Settings::Key key : keys)
        emit changed(key);
}
