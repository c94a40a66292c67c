#include "media/NowPlayingScreen.h"

#include "core/ColourScheme.h"
#include "media/Mp3OptionsPanel.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/PictureLight.h"
#include "widgets/PictureView.h"
#include "widgets/ScrollingText.h"
#include "widgets/SkinFont.h"
#include "widgets/StatusSymbol.h"

#include <QLabel>

namespace {
QLabel *label(QWidget *parent, const QRect &geometry, const QFont &font)
{
    auto *l = new QLabel(parent);
    l->setGeometry(geometry);
    l->setFont(font);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    l->setTextFormat(Qt::PlainText);
    return l;
}
} // namespace

NowPlayingScreen::NowPlayingScreen(ScreenHost &screens, SelectionMarker &marker, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("NowPlayingScreen"));
    resize(800, 379);
    PlayMP3Image = new PictureView(this);
    PlayMP3Image->setObjectName(QStringLiteral("PlayMP3Image"));
    PlayMP3Image->setGeometry(530, 12, 258, 258);

    MP3Title = label(this, QRect(24, 24, 496, 64), SkinFont::points(SkinFont::Narrow, 36, true));
    MP3Artist = label(this, QRect(24, 96, 496, 52), SkinFont::points(SkinFont::Narrow, 28));
    MP3BitRate = label(this, QRect(24, 156, 496, 40), SkinFont::points(SkinFont::Narrow, 20));
    for (QLabel *l : {MP3Title, MP3Artist})
        l->setWordWrap(false);

    MP3_scroller = new ScrollingText(this);
    MP3_scroller->setObjectName(QStringLiteral("MP3_scroller"));
    MP3_scroller->setFont(SkinFont::points(SkinFont::Narrow, 22));
    // A bar across the screen; the path starts where the texts above do.
    MP3_scroller->setGeometry(0, 280, 800, 42);
    MP3_scroller->setContentsMargins(24, 0, 24, 0);

    Mp3StatusIndicator = new StatusSymbol(this);
    Mp3StatusIndicator->setObjectName(QStringLiteral("Mp3StatusIndicator"));
    Mp3StatusIndicator->setGeometry(24, 330, 36, 36);
    MP3TimeLabel = label(this, QRect(70, 328, 190, 40), SkinFont::points(SkinFont::Narrow, 24));
    MP3ProgressBar = new LevelBar(this);
    MP3ProgressBar->setObjectName(QStringLiteral("MP3ProgressBar"));
    MP3ProgressBar->setGeometry(270, 338, 506, 20);
    MP3ProgressBar->setMaximum(0);
    MP3ProgressBar->hide();

    // Between the texts and the path bar, left of the picture.
    const QString glyphs[] = {QStringLiteral("\u25AE\u25C0"), QStringLiteral("\u25C0\u25C0"),
                              QStringLiteral("\u25B6\u25B6"), QStringLiteral("\u25B6\u25AE"),
                              QStringLiteral("\u2630"),       QStringLiteral("\u2191..")};
    PanelButton **targets[] = {&PreviousTarget, &BackTarget,    &ForwardTarget,
                               &NextTarget,     &OptionsTarget, &ListTarget};
    for (int i = 0; i < 6; ++i) {
        auto *button = new PanelButton(glyphs[i], this);
        button->setFont(SkinFont::pixels(SkinFont::Sans, 24, true));
        button->setGeometry(24 + i * 82, 210, 74, 56);
        button->hide();
        *targets[i] = button;
        m_mouseTargets.append(button);
    }

    MP3OptionsPanel = new Mp3OptionsPanel(screens, marker, this);
    MP3OptionsPanel->move(0, 0);

    // Centred on the screen, above the options panel.
    InfoPanel = new QWidget(this);
    InfoPanel->setObjectName(QStringLiteral("InfoPanel"));
    InfoPanel->setAutoFillBackground(true);
    InfoPanel->resize(520, 140);
    InfoPanel->move(width() / 2 - InfoPanel->width() / 2, height() / 2 - InfoPanel->height() / 2);
    InfoMessage = new QLabel(InfoPanel);
    InfoMessage->setObjectName(QStringLiteral("InfoMessage"));
    InfoMessage->setGeometry(16, 10, InfoPanel->width() - 32, InfoPanel->height() - 20);
    InfoMessage->setFont(SkinFont::points(SkinFont::Narrow, 24, true));
    InfoMessage->setAlignment(Qt::AlignCenter);
    InfoMessage->setWordWrap(true);
    InfoMessage->setTextFormat(Qt::PlainText);
    InfoPanel->hide();
}

void NowPlayingScreen::showMouseTargets(bool shown)
{
    for (PanelButton *button : std::as_const(m_mouseTargets))
        button->setVisible(shown);
}

void NowPlayingScreen::registerColours(ColourScheme &colours)
{
    using Role = ColourScheme::Role;
    colours.add(MP3Title, Role::AccentText);
    colours.add(MP3Artist, Role::AccentText);
    colours.add(MP3BitRate, Role::Text);
    colours.add(MP3TimeLabel, Role::AccentText);
    colours.add(InfoPanel, Role::Background);
    colours.add(InfoMessage, Role::AccentText);
    colours.add(MP3_scroller, Role::AccentBackground);
    for (PanelButton *button : std::as_const(m_mouseTargets)) {
        colours.add(button, Role::AccentBackground);
        colours.add(button, Role::TextOnAccent);
    }
    colours.addPaletteUser([this](const ColourScheme::Palette &p) {
        MP3_scroller->setTextColour(p.textOnAccent);
        Mp3StatusIndicator->setColour(p.text);
        MP3ProgressBar->setBarColour(p.accent);
        PictureLight::apply(*PlayMP3Image, p.pictureLight);
    });
    MP3OptionsPanel->registerColours(colours);
}
