#include "media/VideoListScreen.h"

#include "core/CommandKey.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "media/TAUDIListbox.h"
#include "media/VideoListActions.h"
#include "widgets/ListRowsView.h"

#include <exception>

VideoListScreen::VideoListScreen(ScreenHost &screens, SelectionMarker &marker, QWidget *parent)
    : QWidget(parent), m_screens(screens), m_marker(marker),
      m_panel(QString::fromLatin1(TAUDIListbox::VideoMask), QStringLiteral("2"), this,
              [this] { SetVideoSelector(); })
{
    setObjectName(QStringLiteral("VideoListScreen"));
    resize(800, 379);
    m_panel.view->setObjectName(QStringLiteral("VideoListBox"));
    // The label is written on every selection change; the type of the new entry first.
    m_panel.setPositionSuffix([this] {
        readVideoType();
        return m_videoType;
    });
}

void VideoListScreen::setActions(VideoListActions *actions) { m_actions = actions; }

void VideoListScreen::readVideoType()
{
    const TAUDIListbox &list = VideoListBox();
    m_videoType = list.itemIndex() >= 0 && m_actions ? m_actions->ReadVideoType(list.selectedPath())
                                                     : QString();
}

void VideoListScreen::Button17Click() { m_panel.next(); }

void VideoListScreen::Button18Click() { m_panel.previous(); }

void VideoListScreen::Button20Click() { m_panel.enterDirectory(VideoListBox().parentPath()); }

void VideoListScreen::VideoListboxClick()
{
    try {
        if (!m_actions)
            return;
        m_actions->HideErrorPanel();
        const TAUDIListbox &list = VideoListBox();
        if (list.itemIndex() < 0)
            return;
        if (!list.selectedIsDirectory()) {
            m_actions->PlayVideoFile(list.selectedPath());
            return;
        }
        const QString target = list.selectedTarget();
        if (target != list.directory())
            m_panel.enterDirectory(target);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void VideoListScreen::SetVideoSelector()
{
    m_panel.pointMarker(m_marker, m_screens.activeScreen() == Screen::Vide_select);
}

void VideoListScreen::screenShown(int index)
{
    if (index == Screen::Vide_select)
        m_panel.showSelection();
}

void VideoListScreen::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::L:
        Button17Click();
        break;
    case CommandKey::R:
        Button18Click();
        break;
    case CommandKey::C:
        VideoListboxClick();
        break;
    case CommandKey::T:
        Button20Click();
        break;
    case CommandKey::Q:
        m_screens.ComandPanelTopLeftClick();
        break;
    default:
        break;
    }
}

void VideoListScreen::registerColours(ColourScheme &colours) { m_panel.registerColours(colours); }
