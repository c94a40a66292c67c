#include "app/ScreenActions.h"

#include "app/Configuration.h"
#include "app/MainMenuBar.h"
#include "app/MainMenuScreen.h"
#include "app/OptionsScreen.h"
#include "core/Navigator.h"
#include "core/Screen.h"
#include "core/SettingsModel.h"
#include "core/SharedValues.h"
#include "log/DriversLogScreen.h"
#include "log/MapScreen.h"
#include "widgets/SelectionMarker.h"

#include <QLabel>
#include <QMessageBox>
#include <QWidget>

ScreenActions::ScreenActions(Parts parts) : m_p(std::move(parts))
{
    m_mainImages.setDirectory(m_p.programDir);
}

void ScreenActions::onMainMenuEntry(int entry)
{
    switch (entry) {
    case MainMenuBar::DriversLog:
        return ComandPanelTopRightClick();
    case MainMenuBar::Media:
        return m_p.navigator.ComandPanelTopLeftClick();
    case MainMenuBar::Poi:
        return ComandPanelBottomLeftClick();
    case MainMenuBar::Options:
        return Main4Click();
    case MainMenuBar::Exit:
        if (m_p.exit)
            m_p.exit();
        return;
    default:
        return;
    }
}

// The map is made on the map page the first time; the drivers log shows either way,
// with its menu once the map exists.
void ScreenActions::ComandPanelTopRightClick()
{
    m_p.navigator.setTitle(QStringLiteral("Drivers log"));
    m_p.navigator.showScreen(Screen::Log_select);
    m_p.marker.hide();
    m_p.navigator.showScreen(Screen::SetLog);
    m_p.mapScreen.CreateMap();
    m_p.navigator.showScreen(Screen::Log_select);
    m_p.logScreen.focusShowMap();
}

void ScreenActions::ComandPanelBottomLeftClick()
{
    m_p.shared.AlertReturnPage = Screen::Radar;
    m_p.navigator.setTitle(QStringLiteral("POI"));
    m_p.navigator.showScreen(Screen::Radar);
}

void ScreenActions::Main4Click()
{
    m_p.navigator.setTitle(QStringLiteral("Options"));
    m_p.navigator.showScreen(Screen::Settings);
}

void ScreenActions::BitBtn1Click()
{
    m_p.options.setPage(OptionsScreen::Sys);
    m_p.configuration.SaveSettings();
    m_p.navigator.Button5Click();
}

void ScreenActions::showMainImage(const QString &path)
{
    if (path.isEmpty())
        return;
    m_p.settings.set(&Settings::mainImage, path);
    if (m_p.mainScreen.loadPicture(path))
        m_p.options.MainImageThumb->setPixmap(m_p.mainScreen.picture());
}

void ScreenActions::Button21Click() { showMainImage(m_mainImages.next()); }

void ScreenActions::Button22Click() { showMainImage(m_mainImages.previous()); }

void ScreenActions::Image1Click()
{
    QMessageBox::information(&m_p.window, QStringLiteral("Rovana"),
                             QString::number(m_p.mainScreen.pictureHeight()));
    m_p.window.showMinimized();
}
