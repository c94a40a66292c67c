#include "core/Navigator.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QStringList>
#include <QWidget>

namespace {

QStringList titles(const QSignalSpy &spy)
{
    QStringList out;
    for (const auto &args : spy)
        out << args.at(0).toString();
    return out;
}

} // namespace

TEST(Navigator, TheTableNamesEveryScreenOnceWithItsKeysAndAlertTitle)
{
    const auto &table = Navigator::table();
    for (int i = 0; i < Screen::Count; ++i)
        EXPECT_EQ(table[size_t(i)].index, i) << "rows in screen order";
    const std::pair<Screen::Index, KeyOwner> keys[] = {
        {Screen::MP3Album, KeyOwner::NowPlaying},  {Screen::MP3Directory, KeyOwner::Mp3List},
        {Screen::MP3Start, KeyOwner::MainMenu},    {Screen::Settings, KeyOwner::Options},
        {Screen::Video_Play, KeyOwner::VideoPlaying}, {Screen::Vide_select, KeyOwner::VideoList},
        {Screen::Radar, KeyOwner::Poi},            {Screen::media_select, KeyOwner::MediaChoice},
        {Screen::Log_select, KeyOwner::DriversLog}, {Screen::SetLog, KeyOwner::Map}};
    Navigator n;
    for (const auto &[screen, owner] : keys) {
        n.showScreen(screen);
        EXPECT_EQ(n.keyOwner(), owner) << screen;
    }
    EXPECT_STREQ(table[Screen::SetLog].name, "SetLog");
    EXPECT_STREQ(table[Screen::MP3Start].name, "MP3Start");
}

TEST(Navigator, ShowingAScreenSignalsEveryTimeAndRunsItsEntrySteps)
{
    Navigator n;
    QSignalSpy shown(&n, &Navigator::screenShown);
    int entered = 0;
    n.onEnter(Screen::media_select, [&] { ++entered; });
    n.showScreen(Screen::media_select);
    n.showScreen(Screen::media_select);
    n.showScreen(Screen::Radar);
    n.showScreen(Screen::Count); // no such screen: nothing happens
    n.showScreen(-1);
    ASSERT_EQ(shown.size(), 3);
    EXPECT_EQ(shown.at(1).at(0).toInt(), Screen::media_select);
    EXPECT_EQ(entered, 2);
    EXPECT_EQ(n.activeScreen(), Screen::Radar);
}

TEST(Navigator, BackToMainRunsTheLeavingStepsFirst)
{
    Navigator n;
    QStringList order;
    QObject::connect(&n, &Navigator::screenShown, [&](int i) { order << QString::number(i); });
    QObject::connect(&n, &Navigator::titleChanged, [&](const QString &t) { order << t; });
    n.onBackToMain([&] { order << "film hidden"; });
    n.showScreen(Screen::Video_Play);
    order.clear();
    n.Button5Click();
    EXPECT_EQ(order, (QStringList{"film hidden", "2", "Main"}));
    EXPECT_EQ(n.title(), "Main");

    order.clear();
    n.ComandPanelTopLeftClick();
    EXPECT_EQ(order, (QStringList{"Media", "7"}));
}

TEST(Navigator, TheTitleAfterAnAlertComesFromTheTable)
{
    const std::pair<Screen::Index, QString> back[] = {
        {Screen::MP3Directory, "Select MP3"}, {Screen::MP3Start, "Main"},
        {Screen::Settings, "Options"},        {Screen::Video_Play, "Video playing"},
        {Screen::Vide_select, "Select Video"}, {Screen::MP3Album, "POI"},
        {Screen::media_select, "POI"},        {Screen::Log_select, "POI"},
        {Screen::Radar, "POI"},               {Screen::SetLog, "POI"}};
    for (const auto &[screen, title] : back) {
        Navigator n;
        n.setTitle(QStringLiteral("POI")); // as the alert left it
        n.returnAfterAlert(screen);
        EXPECT_EQ(n.activeScreen(), screen);
        EXPECT_EQ(n.title(), title) << screen;
    }
}

TEST(Navigator, AFilmComesBackAfterAnAlertOnlyToItsOwnScreen)
{
    Navigator n;
    QSignalSpy titlesSeen(&n, &Navigator::titleChanged);
    int filmShown = 0;
    n.onReturnAfterAlert(Screen::Video_Play, [&] { ++filmShown; });
    n.returnAfterAlert(Screen::Vide_select);
    EXPECT_EQ(filmShown, 0);
    n.returnAfterAlert(Screen::Video_Play);
    EXPECT_EQ(filmShown, 1);
    EXPECT_EQ(titles(titlesSeen), (QStringList{"Select Video", "Video playing"}));
}

TEST(Navigator, OverlaysTakeTheKeysOnlyOnTheirScreenAndOnlyWhileShown)
{
    QWidget window;
    QWidget options(&window), dial(&window), menu(&window), movie(&window);
    Navigator n;
    n.setOverlayPanel(Overlay::Mp3Options, &options);
    n.setOverlayPanel(Overlay::Filter, &dial);
    n.setOverlayPanel(Overlay::DirAction, &menu);
    n.setOverlayPanel(Overlay::MovieOptions, &movie);
    for (QWidget *w : {&options, &dial, &menu, &movie})
        w->hide();

    n.showScreen(Screen::MP3Album);
    options.show();
    EXPECT_EQ(n.keyOwner(), KeyOwner::Mp3Options);
    n.showScreen(Screen::MP3Start);
    EXPECT_EQ(n.keyOwner(), KeyOwner::MainMenu);

    n.showScreen(Screen::MP3Directory);
    dial.show();
    EXPECT_EQ(n.keyOwner(), KeyOwner::LetterPanel);
    menu.show();
    EXPECT_EQ(n.keyOwner(), KeyOwner::ActionPanel) << "the action menu lies over the dial";

    movie.show();
    EXPECT_EQ(n.keyOwner(), KeyOwner::VideoOptions) << "the film's panel wins everywhere";

    {
        QWidget gone;
        n.setOverlayPanel(Overlay::MovieOptions, &gone);
    } // a panel destroyed counts as hidden
    EXPECT_EQ(n.keyOwner(), KeyOwner::ActionPanel);
}
