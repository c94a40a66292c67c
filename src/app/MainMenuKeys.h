#pragma once

#include "core/KeyContext.h"

#include <functional>

class MainMenuBar;

// The knob on the main menu: R and L move the highlight, C selects, Q opens the options.
class MainMenuKeys : public KeyContext {
public:
    MainMenuKeys(MainMenuBar &bar, std::function<void()> options)
        : m_bar(bar), m_options(std::move(options))
    {
    }
    void commandKey(quint16 key) override;

private:
    MainMenuBar &m_bar;
    std::function<void()> m_options;
};
