#include "app/MainMenuKeys.h"

#include "core/CommandKey.h"
#include "app/MainMenuBar.h"

void MainMenuKeys::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::R:
        m_bar.Button11Click();
        break;
    case CommandKey::L:
        m_bar.Button10Click();
        break;
    case CommandKey::C:
        m_bar.Button12Click();
        break;
    case CommandKey::Q:
        m_options();
        break;
    default:
        break;
    }
}
