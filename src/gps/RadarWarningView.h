#pragma once

#include "gps/CameraWarningView.h"

class RadarScreen;

// The speed-camera warning's read-outs on the POI screen's controls.
class RadarWarningView : public CameraWarningView {
public:
    explicit RadarWarningView(RadarScreen &screen) : m_screen(screen) {}

    void setLimitText(const QString &text) override;
    void setDistanceText(const QString &text) override;
    void setSecondDistanceText(const QString &text) override;
    void setSystemMessage(const QString &text) override;
    void setSatellitesOk(bool ok) override;
    void showAlertPicture(bool shown) override;
    void showMap(const QImage &bitmap) override;

private:
    RadarScreen &m_screen;
};
