#include "core/Navigator.h"

const std::array<Navigator::Entry, Screen::Count> &Navigator::table()
{
    using S = Screen;
    using K = KeyOwner;
    static const std::array<Entry, Screen::Count> screens = {{
        {S::MP3Album, "MP3Album", {}, K::NowPlaying, {{Overlay::Mp3Options, K::Mp3Options}}},
        {S::MP3Directory,
         "MP3Directory",
         QStringLiteral("Select MP3"),
         K::Mp3List,
         {{Overlay::DirAction, K::ActionPanel}, {Overlay::Filter, K::LetterPanel}}},
        {S::MP3Start, "MP3Start", QStringLiteral("Main"), K::MainMenu, {}},
        {S::Settings, "Settings", QStringLiteral("Options"), K::Options, {}},
        {S::Video_Play, "Video_Play", QStringLiteral("Video playing"), K::VideoPlaying, {}},
        {S::Vide_select, "Vide_select", QStringLiteral("Select Video"), K::VideoList, {}},
        {S::Radar, "Radar", {}, K::Poi, {}},
        {S::media_select, "media_select", {}, K::MediaChoice, {}},
        {S::Log_select, "Log_select", {}, K::DriversLog, {}},
        {S::SetLog, "SetLog", {}, K::Map, {}},
    }};
    return screens;
}

Navigator::Navigator(QObject *parent) : QObject(parent) {}

void Navigator::run(const Steps &steps)
{
    for (const auto &step : steps)
        step();
}

void Navigator::showScreen(int index)
{
    if (index < 0 || index >= Screen::Count)
        return;
    m_screen = index;
    emit screenShown(index);
    run(m_enter[size_t(index)]);
}

void Navigator::setTitle(const QString &title)
{
    m_title = title;
    emit titleChanged(title);
}

void Navigator::Button5Click()
{
    run(m_backToMain);
    showScreen(Screen::MP3Start);
    setTitle(QStringLiteral("Main"));
}

void Navigator::ComandPanelTopLeftClick()
{
    setTitle(QStringLiteral("Media"));
    showScreen(Screen::media_select);
}

void Navigator::returnAfterAlert(int index)
{
    if (index < 0 || index >= Screen::Count)
        return;
    showScreen(index);
    const QString &title = table()[size_t(index)].alertTitle;
    if (!title.isEmpty())
        setTitle(title);
    run(m_return[size_t(index)]);
}

void Navigator::setOverlayPanel(Overlay overlay, QWidget *panel)
{
    if (overlay != Overlay::Count)
        m_overlays[size_t(overlay)] = panel;
}

bool Navigator::overlayShown(Overlay overlay) const
{
    if (overlay == Overlay::Count)
        return false;
    const QWidget *panel = m_overlays[size_t(overlay)];
    return panel && !panel->isHidden();
}

KeyOwner Navigator::keyOwner() const
{
    if (overlayShown(Overlay::MovieOptions))
        return KeyOwner::VideoOptions;
    const Entry &entry = table()[size_t(m_screen)];
    for (const OverlayKeys &o : entry.overlays)
        if (overlayShown(o.overlay))
            return o.keys;
    return entry.keys;
}

void Navigator::onEnter(int index, std::function<void()> step)
{
    if (index >= 0 && index < Screen::Count)
        m_enter[size_t(index)].push_back(std::move(step));
}

void Navigator::onBackToMain(std::function<void()> step) { m_backToMain.push_back(std::move(step)); }

void Navigator::onReturnAfterAlert(int index, std::function<void()> step)
{
    if (index >= 0 && index < Screen::Count)
        m_return[size_t(index)].push_back(std::move(step));
}
