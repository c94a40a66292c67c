#include "media/VideoListScreen.h"

#include "app/CommandKey.h"
#include "app/Screen.h"
#include "app/ScreenHost.h"
#include "media/MarkerPlacement.h"
#include "media/TAUDIListbox.h"
#include "widgets/ListRowsView.h"
#include "widgets/SelectionMarker.h"

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

void VideoListScreen::setActions(VideoListActions *actions)
{
    m_actions = actions ? actions : &m_noActions;
}

void VideoListScreen::readVideoType()
{
    const TAUDIListbox &list = VideoListBox();
    m_videoType = list.itemIndex() >= 0 ? m_actions->ReadVideoType(list.selectedPath()) : QString();
}

void VideoListScreen::Button17Click() { m_panel.next(); }

void VideoListScreen::Button18Click() { m_panel.previous(); }

void VideoListScreen::enter(const QString &path)
{
    m_panel.view->hide();
    VideoListBox().setDirectory(path);
    m_panel.view->show();
    VideoListBox().setItemIndex(VideoListBox().count() > 0 ? 0 : -1);
    SetVideoSelector();
    m_panel.showIndicatorsDown();
}

void VideoListScreen::Button20Click() { enter(VideoListBox().parentPath()); }

void VideoListScreen::VideoListboxClick()
{
    try {
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
            enter(target);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void VideoListScreen::SetVideoSelector()
{
    const TAUDIListbox &list = VideoListBox();
    if (m_screens.activeScreen() != Screen::Vide_select || list.count() == 0 ||
        list.itemIndex() < 0) {
        m_marker.hide();
        return;
    }
    const QPoint bar =
        MarkerPlacement::listBar(list.itemIndex() - list.topIndex(), m_marker.barPosition().x());
    m_marker.placeBar(bar.x(), bar.y());
    m_marker.show();
}

void VideoListScreen::screenShown(int index)
{
    if (index != Screen::Vide_select)
        return;
    if (VideoListBox().itemIndex() < 0 && VideoListBox().count() > 0)
        VideoListBox().setItemIndex(0);
    SetVideoSelector();
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
