#include "app/WindowColours.h"

#include "app/MainMenuBar.h"
#include "app/MainMenuScreen.h"
#include "app/MediaChoiceScreen.h"
#include "app/OptionsScreen.h"
#include "app/StatusLine.h"
#include "app/TopBar.h"
#include "app/WindowPalette.h"
#include "core/ColourScheme.h"
#include "gps/RadarScreen.h"
#include "log/DriversLogScreen.h"
#include "log/MapScreen.h"
#include "media/Mp3Directory.h"
#include "media/NowPlaying.h"
#include "media/VideoListScreen.h"
#include "media/VideoPlayback.h"
#include "widgets/LevelBar.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"
#include "widgets/TurnKnob.h"

#include <QLabel>

namespace {

using Role = ColourScheme::Role;

void registerBars(ColourScheme &colours, const WindowColours::Parts &w)
{
    colours.add(&w.menu, Role::AccentBackground);
    colours.add(w.top.TopMidLabel, Role::AccentText);
    colours.add(w.top.CpuLabel, Role::AccentText);
    colours.add([&top = w.top](const QColor &m) { top.CpuMeter->setBarColour(m); });
    for (QLabel *l : {w.status.Clock, w.status.DateLabel, w.status.sensorlabel,
                      w.status.LogIndicator, w.status.NightIndicator}) {
        colours.add(l, Role::AccentText);
        colours.add(l, Role::Background);
    }
    // The link indicators' text colours belong to the GPS and CAN links.
    colours.add(w.status.GPSLabel, Role::Background);
    colours.add(w.status.CANLabel, Role::Background);
    colours.addPaletteUser([&menu = w.menu](const ColourScheme::Palette &p) {
        menu.setCaptionColours(p.textOnAccent, p.text);
    });
    // The controls that take no colour of their own (the options pages) inherit it.
    colours.addPaletteUser([&window = w.window, &colours](const ColourScheme::Palette &p) {
        window.setPalette(WindowPalette::dark(window.palette(), p.text, colours.isNight()));
    });
}

void registerScreens(ColourScheme &colours, const WindowColours::Parts &w)
{
    colours.add(w.main.VersionPanel, Role::AccentBackground);
    colours.add(w.main.VersionPanel, Role::TextOnAccent);
    colours.add(w.mediaChoice.ChoicePanel, Role::AccentBackground);
    colours.add(w.mediaChoice.Panel86, Role::TextOnAccent);
    colours.add(w.mediaChoice.Panel87, Role::TextOnAccent);
    colours.add([&marker = w.marker](const QColor &m) { marker.setColour(m); });
    w.mp3.registerColours(colours);
    w.nowPlaying.registerColours(colours);
    w.videoList.registerColours(colours);
    w.video.registerColours(colours);
    w.radar.registerColours(colours);
    colours.add(
        [&options = w.options](const QColor &m) { options.Knob1Picture->setFaceColour(m); });
    colours.addPaletteUser([&log = w.log, &map = w.map](const ColourScheme::Palette &p) {
        log.applyColours(p.accent, p.text);
        map.setArrowColour(p.accent);
    });
    colours.addPaletteUser(
        [&main = w.main, &choice = w.mediaChoice](const ColourScheme::Palette &p) {
            main.setPictureLight(p.pictureLight);
            choice.setPictureLight(p.pictureLight);
            choice.setFocusColour(p.text);
        });
}

} // namespace

void WindowColours::registerAll(ColourScheme &colours, const Parts &parts)
{
    registerBars(colours, parts);
    registerScreens(colours, parts);
}
