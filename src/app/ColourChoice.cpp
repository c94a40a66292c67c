#include "app/ColourChoice.h"

#include "core/ColourScheme.h"
#include "core/ColourValue.h"
#include "app/OptionsScreen.h"
#include "widgets/ColourSwatch.h"
#include "widgets/RadioGroup.h"

#include <QColorDialog>
#include <QRadioButton>

#include <utility>

ColourChoice::ColourChoice(OptionsScreen &options, ColourScheme &colours,
                           std::function<void()> changecolors, QObject *parent)
    : QObject(parent), m_options(options), m_colours(colours),
      m_changecolors(std::move(changecolors))
{
    m_picker = [this](const QColor &initial) -> std::optional<QColor> {
        const QColor c =
            QColorDialog::getColor(initial, m_options.window(), QStringLiteral("Color"));
        if (!c.isValid())
            return std::nullopt;
        return c;
    };
    for (int i = 0; i < int(m_options.cpx.size()); ++i)
        connect(m_options.cpx[size_t(i)], &ColourSwatch::clicked, this,
                [this, i] { cpx1Click(i); });
    RadioGroup *choice = m_options.MainColourChoice;
    for (int i = 0; i < choice->count(); ++i)
        connect(choice->button(i), &QAbstractButton::clicked, this,
                [this, i] { chooseMainColour(i); });
}

void ColourChoice::cpx1Click(int swatch)
{
    if (swatch < 0 || swatch >= int(m_options.cpx.size()) || !m_picker)
        return;
    ColourSwatch *s = m_options.cpx[size_t(swatch)];
    const std::optional<QColor> chosen = m_picker(ColourValue::toQColor(s->colour()));
    if (chosen && chosen->isValid())
        s->setColour(ColourValue::fromQColor(*chosen));
}

void ColourChoice::chooseMainColour(int choice)
{
    if (choice < 0 || choice >= int(m_options.cpx.size()))
        return;
    m_options.MainColourChoice->setItemIndex(choice);
    m_colours.setMainColour(m_options.cpx[size_t(choice)]->colour());
    m_changecolors();
}
