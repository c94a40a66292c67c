#include "media/Mp3Directory.h"

#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "media/DirActionMenu.h"
#include "media/LetterDial.h"
#include "media/Mp3Playback.h"
#include "media/TAUDIListbox.h"
#include "widgets/ListRowsView.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"
#include "widgets/SkinFont.h"

#include <exception>

Mp3Directory::Mp3Directory(ScreenHost &screens, SelectionMarker &marker,
                           std::function<QString()> mp3Path, QWidget *parent)
    : QWidget(parent), m_screens(screens), m_marker(marker),
      m_panel(QString::fromLatin1(TAUDIListbox::Mp3Mask), QString(), this,
              [this] { SetMP3Selector(); })
{
    setObjectName(QStringLiteral("Mp3DirectoryScreen"));
    resize(800, 379);
    m_panel.view->setObjectName(QStringLiteral("MP3Listbox"));
    connect(&MP3Listbox(), &TAUDIListbox::changed, this, &Mp3Directory::MP3ListboxChange);

    DirActionPanel = new DirActionMenu({[this] { Panel35Click(); }, [this] { Panel22Click(); },
                                        [this] { Panel51Click(); }, [this] { Panel40Click(); },
                                        [this] {
                                            Panel14Click();
                                        }},
                                       this);
    // Centred on the screen.
    DirActionPanel->move(width() / 2 - DirActionPanel->width() / 2,
                         height() / 2 - DirActionPanel->height() / 2);
    FilterPanel = new LetterDial(MP3Listbox(),
                                 {std::move(mp3Path),
                                  [this] {
                                      dialChosen();
                                  }},
                                 this);
    FilterPanel->move(0, 40);
    buildBottomBar();
}

void Mp3Directory::buildBottomBar()
{
    QWidget *bar = m_panel.BottomBar;
    MediaLabel = new PanelButton(QStringLiteral("Media"), bar);
    MediaLabel->setObjectName(QStringLiteral("MediaLabel"));
    MediaLabel->setFont(SkinFont::points(SkinFont::Narrow, 28));
    MediaLabel->setGeometry(12, 4, 130, 55);
    MediaLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(MediaLabel, &PanelButton::clicked, this,
            [this] { m_screens.ComandPanelTopLeftClick(); });
    // The glyphs of the knob's actions on the list.
    const struct {
        const char16_t *glyph;
        void (Mp3Directory::*action)();
    } targets[] = {{u"\u25B2", &Mp3Directory::Button2Click},
                   {u"\u25BC", &Mp3Directory::Button1Click},
                   {u"A\u2192Z", &Mp3Directory::Button4Click},
                   {u"\u2191..", &Mp3Directory::Button6Click},
                   {u"\u2630", &Mp3Directory::MP3ListboxClick}};
    int x = 170;
    for (const auto &target : targets) {
        auto *button = new PanelButton(QString::fromUtf16(target.glyph), bar);
        button->setFont(SkinFont::pixels(SkinFont::Sans, 26, true));
        button->setGeometry(x, 4, 62, 55);
        x += 66;
        connect(button, &PanelButton::clicked, this, target.action);
        button->hide();
        mouseTargets.append(button);
    }
}

void Mp3Directory::showMouseTargets(bool shown)
{
    for (PanelButton *button : std::as_const(mouseTargets))
        button->setVisible(shown);
}

Mp3Directory::~Mp3Directory() = default;

void Mp3Directory::setPlayback(Mp3Playback *playback) { m_playback = playback; }

void Mp3Directory::Button1Click() { m_panel.next(); }

void Mp3Directory::Button2Click() { m_panel.previous(); }

void Mp3Directory::Button4Click() { GotoNextLetter(); }

void Mp3Directory::GotoNextLetter()
{
    const int target = MP3Listbox().nextLetterIndex();
    if (target < 0)
        return;
    MP3Listbox().setItemIndex(target);
    SetMP3Selector();
    m_panel.showIndicatorsDown();
}

void Mp3Directory::SelectFirstWithInitial(char16_t ch)
{
    MP3Listbox().PreselectInitial(ch);
    SetMP3Selector();
}

void Mp3Directory::MP3ListboxClick()
{
    if (m_playback)
        m_playback->HideOptionsPanel();
    m_panel.hideIndicators();
    DirActionPanel->open();
}

void Mp3Directory::enter(const QString &path)
{
    m_marker.hide();
    m_panel.enterDirectory(path);
}

void Mp3Directory::Button6Click() { enter(MP3Listbox().parentPath()); }

void Mp3Directory::MP3DirectoryShow() { m_panel.showSelection(); }

// The marker shows only where it has a row to point at; on other screens it belongs to
// them and is left alone.
void Mp3Directory::MP3ListboxChange()
{
    if (m_screens.activeScreen() == Screen::MP3Directory)
        SetMP3Selector();
}

void Mp3Directory::Image2Click()
{
    m_screens.setTitle(QStringLiteral("Select MP3"));
    m_marker.hide();
    m_screens.showScreen(Screen::MP3Directory);
}

void Mp3Directory::Panel35Click()
{
    DirActionPanel->close();
    try {
        TAUDIListbox &list = MP3Listbox();
        if (list.itemIndex() < 0)
            return;
        if (list.selectedIsDirectory()) {
            enter(list.selectedTarget());
            return;
        }
        if (!m_playback)
            return;
        const QString path = list.selectedPath();
        m_playback->ShowBitRate(path);
        m_playback->PlayMP3File(path, true);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void Mp3Directory::Panel51Click()
{
    m_panel.moveList(260, MediaListPanel::ListTop);
    m_marker.hide();
    DirActionPanel->close();
    FilterPanel->open();
}

void Mp3Directory::Panel40Click()
{
    TAUDIListbox &list = MP3Listbox();
    if (m_playback) {
        m_playback->setRandomRoot(list.selectedIsDirectory() ? list.selectedTarget()
                                                             : list.directory());
        m_playback->EnableRandomToggle();
        m_playback->PlayRandomTrack();
    }
    DirActionPanel->close();
    m_panel.showIndicatorsDown();
}

void Mp3Directory::Panel14Click()
{
    DirActionPanel->close();
    m_panel.showIndicatorsDown();
}

void Mp3Directory::Panel22Click()
{
    Button6Click();
    DirActionPanel->close();
}

void Mp3Directory::dialChosen()
{
    m_panel.moveList(MediaListPanel::ListLeft, MediaListPanel::ListTop);
    DirActionPanel->close();
    SetMP3Selector();
    m_panel.showIndicatorsDown();
}

void Mp3Directory::SetMP3Selector()
{
    // Not while the letter dial covers the list.
    m_panel.pointMarker(m_marker, m_screens.activeScreen() == Screen::MP3Directory &&
                                      FilterPanel->isHidden());
}

void Mp3Directory::screenShown(int index)
{
    m_marker.hide();
    if (index == Screen::MP3Directory)
        MP3DirectoryShow();
}

void Mp3Directory::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::L:
        Button1Click();
        break;
    case CommandKey::R:
        Button2Click();
        break;
    case CommandKey::C:
        MP3ListboxClick();
        break;
    case CommandKey::Z:
        Button4Click();
        break;
    case CommandKey::T:
        Button6Click();
        break;
    case CommandKey::Q:
        m_screens.ComandPanelTopLeftClick();
        break;
    default:
        break;
    }
}

void Mp3Directory::registerColours(ColourScheme &colours)
{
    m_panel.registerColours(colours);
    colours.add(MediaLabel, ColourScheme::Role::TextOnAccent);
    for (PanelButton *button : std::as_const(mouseTargets))
        colours.add(button, ColourScheme::Role::TextOnAccent);
    DirActionPanel->registerColours(colours);
    FilterPanel->registerColours(colours);
}
