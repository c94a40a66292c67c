#include "app/Dispatcher.h"

#include "app/CommandKey.h"
#include "app/Screen.h"
#include "app/ScreenHost.h"

#include <exception>

Dispatcher::Dispatcher(const ScreenHost &screens) : m_screens(screens) {}

void Dispatcher::setHandler(Context context, KeyContext *handler)
{
    if (context != Context::None)
        m_handlers[size_t(context)] = handler;
}

void Dispatcher::setOverlayProbe(Overlay overlay, std::function<bool()> probe)
{
    m_probes[size_t(overlay)] = std::move(probe);
}

bool Dispatcher::visible(Overlay overlay) const
{
    const auto &probe = m_probes[size_t(overlay)];
    return probe && probe();
}

Dispatcher::Context Dispatcher::context() const
{
    const int screen = m_screens.activeScreen();
    const bool movieOptions = visible(Overlay::MovieOptions);
    if (screen == Screen::Video_Play && !movieOptions)
        return Context::VideoPlaying;
    if (movieOptions)
        return Context::VideoOptions;
    switch (screen) {
    case Screen::Log_select:
        return Context::DriversLog;
    case Screen::SetLog:
        return Context::Map;
    case Screen::media_select:
        return Context::MediaChoice;
    case Screen::Vide_select:
        return Context::VideoList;
    case Screen::Radar:
        return Context::Poi;
    case Screen::MP3Directory:
        if (visible(Overlay::DirAction))
            return Context::ActionPanel;
        return visible(Overlay::Filter) ? Context::LetterPanel : Context::Mp3List;
    case Screen::MP3Album:
        return visible(Overlay::Mp3Options) ? Context::Mp3Options : Context::NowPlaying;
    case Screen::MP3Start:
        return Context::MainMenu;
    case Screen::Settings:
        return Context::Options;
    default:
        return Context::None;
    }
}

void Dispatcher::FormKeyDown(quint16 &key)
{
    key = CommandKey::fold(key);
    const Context c = context();
    if (c == Context::None)
        return;
    KeyContext *handler = m_handlers[size_t(c)];
    if (!handler)
        return;
    // A failing action ends the handling of this key; the program stays on its screen.
    try {
        handler->commandKey(key);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void Dispatcher::FormMouseWheelDown()
{
    quint16 key = CommandKey::R;
    FormKeyDown(key);
}

void Dispatcher::FormMouseWheelUp()
{
    quint16 key = CommandKey::L;
    FormKeyDown(key);
}
