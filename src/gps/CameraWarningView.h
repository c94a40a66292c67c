#pragma once

#include <QImage>
#include <QString>

// What the speed-camera warning shows on the POI screen. The screen implements it; tests
// record it.
class CameraWarningView {
public:
    virtual ~CameraWarningView() = default;

    virtual void setLimitText(const QString &text) = 0;          // Alert_RadarWarning_limit
    virtual void setDistanceText(const QString &text) = 0;       // RadarWarning_distance
    virtual void setSecondDistanceText(const QString &text) = 0; // Second_RadarWarning_distance
    virtual void setSystemMessage(const QString &text) = 0;      // RadarSystemMessage
    // NAV_SatNum: white while the receiver reports satellites, red for "00".
    virtual void setSatellitesOk(bool ok) = 0;
    virtual void showAlertPicture(bool shown) = 0; // Alertpanel
    // The map bitmap, copied to the seekarte paint box.
    virtual void showMap(const QImage &bitmap) = 0;
};
