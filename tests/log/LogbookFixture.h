#pragma once

#include "core/FixPublisher.h"
#include "core/ScreenHost.h"
#include "core/SharedValues.h"
#include "log/DriversLog.h"
#include "log/DriversLogScreen.h"
#include "log/FakeMap.h"
#include "log/MapScreen.h"
#include "support/ManualSystemClock.h"
#include "support/TempDir.h"
#include "widgets/SelectionMarker.h"

#include <gtest/gtest.h>

#include <QList>
#include <QWidget>

#include <memory>

// The window's part for the drivers log: the page control and the title.
class FakeScreens : public ScreenHost {
public:
    int activeScreen() const override { return screen; }
    void showScreen(int index) override
    {
        screen = index;
        shown << index;
    }
    void setTitle(const QString &t) override { titleText = t; }
    QString title() const override { return titleText; }
    void Button5Click() override { showScreen(2); }
    void ComandPanelTopLeftClick() override { showScreen(7); }
    void returnAfterAlert(int index) override { showScreen(index); }

    int screen = 8;
    QList<int> shown;
    QString titleText;
};

// The drivers log and the map page on their own, with a fake map, a clock standing at
// Monday 6 December 2004 14:34:05 and a program directory in a temporary directory.
class LogbookFixture : public ::testing::Test {
protected:
    explicit LogbookFixture(FakeMap::Create create = FakeMap::Create::Succeed) : map(create)
    {
        window.resize(800, 600);
        screen = new DriversLogScreen(screens, marker, &window);
        screen->setGeometry(0, 146, 800, 379);
        mapScreen = new MapScreen({map, shared, [this](bool ok) { log->mapCreated(ok); },
                                   [this] {
                                       ++backs;
                                   }},
                                  &window);
        log = std::make_unique<DriversLog>(
            DriversLog::Context{shared, screens, *screen, *mapScreen, clock, positions,
                                programDir.path(), [this] { return dualPath; },
                                [this](const QString &t) { traces << t; }, [this] { ++saves; },
                                [this](bool on) {
                                    indicator = on;
                                }});
    }

    // The map exists and the drivers log is in business mode.
    void openInBusinessMode()
    {
        mapScreen->CreateMap();
        log->Panel90Click();
    }
    // The car is at a point where the map knows place (or nothing: "n/a").
    void driveTo(double lat, const QString &place = QString())
    {
        if (!place.isEmpty())
            map.setPlace(lat, 7.0, place);
        shared.gps.DecimalLatitude = lat;
        shared.gps.DecimalLongitude = 7.0;
        log->LogTimerTimer();
    }
    QString primaryFile(const QString &name = "12-2004.LOG") const
    {
        return programDir.path() + "driverslog/" + name;
    }
    QStringList fileLines(const QString &path) const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    TempDir programDir;
    TempDir dualRoot;
    QWidget window;
    SelectionMarker marker{&window};
    FakeScreens screens;
    SharedValues shared;
    FixPublisher positions;
    ManualSystemClock clock{QDateTime(QDate(2004, 12, 6), QTime(14, 34, 5))};
    FakeMap map;
    QString dualPath;
    QStringList traces;
    int saves = 0;
    int backs = 0;
    bool indicator = false;
    DriversLogScreen *screen = nullptr;
    MapScreen *mapScreen = nullptr;
    std::unique_ptr<DriversLog> log;
};
