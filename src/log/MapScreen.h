#pragma once

#include "core/KeyContext.h"

#include <QWidget>

#include <functional>

class ArrowSymbol;
class CarMarker;
class MapComponent;
class QLabel;
struct MapPalette;
struct SharedValues;

// Page 9: the map in OleContainer, the car marker at its centre and the two arrow pairs
// that tell which axis the knob pans. It creates the map on first use, keeps the zoom
// factor and the panning axis, and is the drivers log's place look-up.
class MapScreen : public QWidget, public KeyContext {
    Q_OBJECT
public:
    struct Context {
        MapComponent &map;
        SharedValues &shared;
        std::function<void(bool ok)> created; // the map can be used, or never will
        std::function<void()> back;           // page 8 with the focus on "Show Map"
    };

    MapScreen(Context context, QWidget *parent = nullptr);

    // Asks the map to create itself, unless it exists, is on its way, or failed after
    // it had made its view (then it stays unavailable for the run).
    void CreateMap();
    bool creating() const { return m_state == State::Creating; }

    // Centres on the car at the zoom factor and shows the marker; returns the place
    // there, empty when centring fails.
    QString CentreOnCar(double latitude, double longitude);
    // The street-address text at the point, "n/a" when nothing usable lies there, empty
    // when the look-up fails.
    QString PlaceAtPosition(double latitude, double longitude);

    // The knob on this page.
    // The factor scales the distance shown: the start view (1.0) is the closest.
    void ZoomOut();    // T: zoom factor x 2
    void ZoomIn();     // Z: zoom factor / 2, not below 1.0
    void PanBack();    // L: north, or west
    void PanForward(); // R: south, or east
    void SwitchAxis(); // C
    void commandKey(quint16 key) override;

    double ZoomFactor = 1.0;
    bool PanAxisNorthSouth = true;

    QWidget *OleContainer = nullptr;
    ArrowSymbol *ns2 = nullptr; // up
    ArrowSymbol *ns1 = nullptr; // down
    ArrowSymbol *we1 = nullptr; // left
    ArrowSymbol *we2 = nullptr; // right
    CarMarker *CarPosition = nullptr;
    // The place of the car's last centring along the foot of the map, as the logbook
    // records it; hidden while there is none.
    QLabel *StreetBar = nullptr;

    void setArrowColour(const QColor &colour);
    // The map's colours, the street bar's with them.
    void setMapPalette(const MapPalette &palette);

private:
    enum class State { None, Creating, Created, Failed };
    void mapCreated(bool ok);
    void applyZoom();
    void pan(int northSouthCode, int westEastCode);
    void showAxis();
    void showStreet(const QString &place);

    Context m_context;
    State m_state = State::None;
};
