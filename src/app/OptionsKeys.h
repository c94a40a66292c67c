#pragma once

#include "core/KeyContext.h"

#include <functional>

class ColourScheme;
class OptionsScreen;

// The knob on the options screen: R and L act on the page showing (brightness, exit
// choice, main colour, main screen image), T chooses the night screen's source on the page
// "Screen", C turns the page, Q saves and leaves.
class OptionsKeys : public KeyContext {
public:
    struct Actions {
        std::function<void()> saveAndLeave;  // BitBtn1Click
        std::function<void()> nextImage;     // Button21Click
        std::function<void()> previousImage; // Button22Click
        std::function<void()> changecolors;
    };

    OptionsKeys(OptionsScreen &options, ColourScheme &colours, Actions actions)
        : m_options(options), m_colours(colours), m_actions(std::move(actions))
    {
    }
    void commandKey(quint16 key) override;

private:
    void stepBrightness(int delta);
    void stepNightSource();
    void stepExitChoice(int delta);
    void stepMainColour(int delta);

    OptionsScreen &m_options;
    ColourScheme &m_colours;
    Actions m_actions;
};
