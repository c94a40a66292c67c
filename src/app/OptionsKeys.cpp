#include "app/OptionsKeys.h"

#include "app/OptionsScreen.h"
#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "widgets/ColourSwatch.h"
#include "widgets/RadioGroup.h"

#include <QSlider>

void OptionsKeys::commandKey(quint16 key)
{
    if (key == CommandKey::C) {
        m_options.nextPage();
        return;
    }
    if (key == CommandKey::Q) {
        m_actions.saveAndLeave();
        return;
    }
    if (key == CommandKey::T && m_options.page() == OptionsScreen::ScreenPage) {
        stepNightSource();
        return;
    }
    if (key != CommandKey::R && key != CommandKey::L)
        return;
    const int step = key == CommandKey::R ? +1 : -1;
    switch (m_options.page()) {
    case OptionsScreen::ScreenPage:
        stepBrightness(8 * step);
        break;
    case OptionsScreen::Exit:
        stepExitChoice(step);
        break;
    case OptionsScreen::Color:
        stepMainColour(step);
        break;
    case OptionsScreen::StartComSound:
        step > 0 ? m_actions.nextImage() : m_actions.previousImage();
        break;
    default:
        break;
    }
}

void OptionsKeys::stepBrightness(int delta)
{
    QSlider *knob = m_options.Knob1;
    knob->setValue(qBound(0, knob->value() + delta, 256));
}

// T on the page "Screen": the next source of the night screen, after the last the first.
void OptionsKeys::stepNightSource()
{
    RadioGroup *choice = m_options.NightSourceChoice;
    choice->setItemIndex((choice->itemIndex() + 1) % choice->count());
}

void OptionsKeys::stepExitChoice(int delta)
{
    RadioGroup *choice = m_options.RadioGroup1;
    const int i = choice->itemIndex();
    if (delta > 0 && i < choice->count() - 1)
        choice->setItemIndex(i + 1);
    else if (delta < 0 && i > 0)
        choice->setItemIndex(i - 1);
}

void OptionsKeys::stepMainColour(int delta)
{
    RadioGroup *choice = m_options.MainColourChoice;
    const int i = choice->itemIndex();
    // With no choice made yet either key selects swatch 1.
    const int next = i < 0 ? 0 : qBound(0, i + delta, 9);
    choice->setItemIndex(next);
    m_colours.setMainColour(m_options.cpx[size_t(next)]->colour());
    m_actions.changecolors();
}
