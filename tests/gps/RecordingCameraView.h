#pragma once

#include "core/Navigator.h"
#include "gps/CameraWarningView.h"

#include <QStringList>

#include <stdexcept>

// The POI screen's labels as texts, for the warning tests.
class RecordingCameraView : public CameraWarningView {
public:
    void setLimitText(const QString &text) override
    {
        limit = text;
        calls << QStringLiteral("limit");
    }
    void setDistanceText(const QString &text) override { distance = text; }
    void setSecondDistanceText(const QString &text) override { second = text; }
    void setSystemMessage(const QString &text) override { message = text; }
    void setSatellitesOk(bool ok) override { satellitesOk = ok; }
    void showAlertPicture(bool shown) override { alertShown = shown; }
    void showMap(const QImage &bitmap) override
    {
        if (mapFails)
            throw std::runtime_error("map");
        map = bitmap;
        ++mapsShown;
        calls << QStringLiteral("map");
    }

    QString limit, distance, second, message;
    bool satellitesOk = true;
    bool alertShown = false;
    QImage map;
    int mapsShown = 0;
    QStringList calls;     // "limit" and "map" in the order they came
    bool mapFails = false; // showMap throws
};

// The page control and the title.
class RecordingScreens : public Navigator {
public:
    RecordingScreens()
    {
        showScreen(Screen::MP3Start);
        setTitle(QStringLiteral("Main"));
    }
};
