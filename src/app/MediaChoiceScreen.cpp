#include "app/MediaChoiceScreen.h"

#include "core/CommandKey.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "widgets/PanelButton.h"
#include "widgets/PictureLight.h"
#include "widgets/SkinFont.h"

#include <QLabel>
#include <QPixmap>

MediaChoiceScreen::MediaChoiceScreen(ScreenHost &screens, QWidget *parent)
    : QWidget(parent), m_screens(screens), m_focus(FocusRing::Ends::Bounded)
{
    ChoicePanel = new PanelButton(QString(), this);
    ChoicePanel->setGeometry(40, 290, 720, 70);
    AudioImage = new QLabel(this);
    AudioImage->setGeometry(60, 15, 320, 260);
    VideoImage = new QLabel(this);
    VideoImage->setGeometry(420, 15, 320, 260);
    for (QLabel *image : {AudioImage, VideoImage}) {
        image->setScaledContents(true);
        image->setAlignment(Qt::AlignCenter);
    }
    Panel86 = new PanelButton(QStringLiteral("Audio"), ChoicePanel);
    Panel86->setGeometry(20, 5, 320, 60);
    Panel87 = new PanelButton(QStringLiteral("Video"), ChoicePanel);
    Panel87->setGeometry(380, 5, 320, 60);
    for (PanelButton *p : {Panel86, Panel87}) {
        p->setFont(SkinFont::points(SkinFont::Narrow, 32));
        p->setTextColour(Qt::black);
    }
    m_focus.setEntries({Panel86, Panel87});
    // Panel86Enter / Panel86Exit: the focus look of the two choices.
    m_focus.onEnter([this](QWidget *w) {
        auto *p = static_cast<PanelButton *>(w);
        p->setTextColour(m_focusColour);
        p->setLook(36, true, true);
    });
    m_focus.onExit([](QWidget *w) {
        auto *p = static_cast<PanelButton *>(w);
        p->setTextColour(Qt::black);
        p->setLook(32, false, false);
    });
    connect(Panel86, &PanelButton::clicked, this, &MediaChoiceScreen::Panel86Click);
    connect(Panel87, &PanelButton::clicked, this, &MediaChoiceScreen::Panel87Click);
}

void MediaChoiceScreen::setFocusColour(const QColor &colour)
{
    m_focusColour = colour;
    for (PanelButton *p : {Panel86, Panel87}) {
        if (m_focus.has(p))
            p->setTextColour(colour);
    }
}

void MediaChoiceScreen::setPictureLight(qreal light)
{
    PictureLight::apply(*AudioImage, light);
    PictureLight::apply(*VideoImage, light);
}

bool MediaChoiceScreen::loadPictures(const QString &audioJpg, const QString &videoJpg)
{
    bool all = true;
    for (auto [label, path] : {std::pair{AudioImage, audioJpg}, std::pair{VideoImage, videoJpg}}) {
        QPixmap pm;
        if (pm.load(path))
            label->setPixmap(pm);
        else
            all = false;
    }
    return all;
}

void MediaChoiceScreen::media_selectEnter() { m_focus.focus(Panel86); }

void MediaChoiceScreen::Panel86Click()
{
    if (m_audio) {
        m_audio();
        return;
    }
    m_screens.setTitle(QStringLiteral("Select MP3"));
    m_screens.showScreen(Screen::MP3Directory);
}

void MediaChoiceScreen::Panel87Click()
{
    if (m_video) {
        m_video();
        return;
    }
    m_screens.setTitle(QStringLiteral("Select Video"));
    m_screens.showScreen(Screen::Vide_select);
}

void MediaChoiceScreen::commandKey(quint16 key)
{
    if (!m_focus.current())
        m_focus.focus(Panel86);
    const bool onAudio = m_focus.has(Panel86);
    switch (key) {
    case CommandKey::R:
        if (onAudio)
            m_focus.next();
        break;
    case CommandKey::L:
        if (!onAudio)
            m_focus.previous();
        break;
    case CommandKey::C:
        onAudio ? Panel86Click() : Panel87Click();
        break;
    case CommandKey::Q:
        m_screens.Button5Click();
        break;
    default:
        break;
    }
}
