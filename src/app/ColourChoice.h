#pragma once

#include <QColor>
#include <QObject>

#include <functional>
#include <optional>

class ColourScheme;
class OptionsScreen;

// The options page "Color": a click on a swatch opens the colour chooser and the swatch
// takes the confirmed colour; a click on a main-colour choice makes that swatch the main
// colour and runs the colour pass. (The knob's steps of the choice are OptionsKeys'.)
class ColourChoice : public QObject {
    Q_OBJECT
public:
    // Asks the driver for a colour, starting at the given one; nullopt when cancelled.
    using Picker = std::function<std::optional<QColor>(const QColor &initial)>;

    ColourChoice(OptionsScreen &options, ColourScheme &colours, std::function<void()> changecolors,
                 QObject *parent = nullptr);

    void setPicker(Picker picker) { m_picker = std::move(picker); }

    // swatch 0..9 is cpx1..cpx10. The main colour stays until a main-colour choice.
    void cpx1Click(int swatch);
    // choice 0..9 is "Select main color" 1..10.
    void chooseMainColour(int choice);

private:
    OptionsScreen &m_options;
    ColourScheme &m_colours;
    std::function<void()> m_changecolors;
    Picker m_picker;
};
