#pragma once

#include "widgets/BoundedMemo.h"

#include <QColor>
#include <QWidget>

class ColourScheme;
class NavigationText;
class PaintBox;
class PanelButton;
class PictureView;
class QCheckBox;
class QLabel;
class QPlainTextEdit;

// Screen 6 (Radar, title "POI"): the radar map, the camera warning read-outs and the
// GPS navigation read-outs. It only shows what it is given; the GPS reception, the
// camera check and the map drawing fill it.
class RadarScreen : public QWidget {
    Q_OBJECT
public:
    static constexpr int MapWidth = 631;
    static constexpr int MapHeight = 278;

    explicit RadarScreen(QWidget *parent = nullptr);

    // "scale: 0.5km"
    void showScale(double km);
    // "1.0 km"
    void showSensitivity(double km);
    void showNavigation(const NavigationText &texts);
    bool loadAlertPicture(const QString &path);
    // A line for the radar screen's messages; a full list is emptied first.
    static constexpr qsizetype RadarMemoCapacity = BoundedMemo::DefaultCapacity;
    void addMessage(const QString &line);

    // The warning check box changed: "On"/"Off", then warningSwitched.
    void CheckBox2Click();

    void registerColours(ColourScheme &colours);
    // The read-outs' colour in the scheme now (white by day).
    const QColor &textColour() const { return m_text; }

    QWidget *RadarPanel = nullptr;     // frame of the map
    PaintBox *seekarte = nullptr;      // the radar map, MapWidth x MapHeight
    QWidget *Alertpanel = nullptr;     // the alert picture over the map, hidden until an alert
    PictureView *AlertImage = nullptr; // "alert.jpg"
    QWidget *RadarInfoPanel = nullptr; // the warning read-outs
    QLabel *Alert_RadarWarning_limit = nullptr;          // speed limit of the nearest camera
    QLabel *RadarWarning_distance = nullptr;             // its distance
    PanelButton *Second_RadarWarning_distance = nullptr; // "2nd in 1400m"
    PanelButton *RadarSensitivityLabel = nullptr;        // warning distance
    PanelButton *RadarSystemMessage = nullptr;           // "On" / "Off"
    QCheckBox *CheckBox2 = nullptr;                      // the warning switch, not shown
    QLabel *NAV_COG_Computed = nullptr;
    QLabel *NAV_UTCTime = nullptr;
    QLabel *NAV_SatNum = nullptr;
    QLabel *NAV_LAT = nullptr;
    QLabel *NAV_LON = nullptr;
    QLabel *NAV_HEIGHT = nullptr;
    QLabel *NAV_SOG = nullptr;
    PanelButton *Nav_scale = nullptr;
    QPlainTextEdit *RadarMemo = nullptr; // the radar screen's messages

signals:
    void warningSwitched(bool on);

private:
    void buildMap();
    void buildInfoPanel();
    void buildNavigation();
    QLabel *readOut(const QString &text, QRect geometry, Qt::Alignment align);

    QColor m_text = Qt::white;
};
