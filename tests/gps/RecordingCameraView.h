#pragma once

#include "app/ScreenHost.h"
#include "gps/CameraWarningView.h"

#include <QStringList>

// The POI screen's labels as texts, for the warning tests.
class RecordingCameraView : public CameraWarningView {
public:
    void setLimitText(const QString &text) override { limit = text; }
    void setDistanceText(const QString &text) override { distance = text; }
    void setSecondDistanceText(const QString &text) override { second = text; }
    void setSystemMessage(const QString &text) override { message = text; }
    void setSatellitesOk(bool ok) override { satellitesOk = ok; }
    void showAlertPicture(bool shown) override { alertShown = shown; }
    void showMap(const QImage &bitmap) override
    {
        map = bitmap;
        ++mapsShown;
    }

    QString limit, distance, second, message;
    bool satellitesOk = true;
    bool alertShown = false;
    QImage map;
    int mapsShown = 0;
};

// The page control and the title.
class RecordingScreens : public ScreenHost {
public:
    int activeScreen() const override { return screen; }
    void showScreen(int index) override
    {
        screen = index;
        shown << index;
    }
    void setTitle(const QString &text) override { m_title = text; }
    QString title() const override { return m_title; }
    void Button5Click() override {}
    void ComandPanelTopLeftClick() override {}

    int screen = 2;
    QList<int> shown;

private:
    QString m_title = QStringLiteral("Main");
};
