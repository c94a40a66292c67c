#include "log/MapScreen.h"

#include "core/CommandKey.h"
#include "core/SharedValues.h"
#include "log/MapComponent.h"
#include "log/MapStyle.h"
#include "log/PlaceFinder.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/CarMarker.h"

#include <QLabel>
#include <QPointer>

MapScreen::MapScreen(Context context, QWidget *parent)
    : QWidget(parent), m_context(std::move(context))
{
    OleContainer = new QWidget(this);
    OleContainer->setObjectName(QStringLiteral("OleContainer"));
    OleContainer->setGeometry(4, 5, 792, 369);
    StreetBar = new QLabel(this);
    StreetBar->setObjectName(QStringLiteral("StreetBar"));
    const QRect map = OleContainer->geometry();
    StreetBar->setGeometry(map.left(), map.bottom() + 1 - MapStyle::StreetBarPixels, map.width(),
                           MapStyle::StreetBarPixels);
    // From the left: the middle is where the south arrow stands.
    StreetBar->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    StreetBar->setIndent(14);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(18);
    font.setBold(true);
    StreetBar->setFont(font);
    StreetBar->setAutoFillBackground(true);
    StreetBar->hide();

    using D = ArrowSymbol::Direction;
    auto arrow = [this](const char *name, D direction, const QRect &at) {
        auto *a = new ArrowSymbol(direction, this);
        a->setObjectName(QLatin1String(name));
        a->setGeometry(at);
        return a;
    };
    ns2 = arrow("ns2", D::Up, {376, 8, 48, 40});
    ns1 = arrow("ns1", D::Down, {376, 331, 48, 40});
    we1 = arrow("we1", D::Left, {8, 166, 40, 48});
    we2 = arrow("we2", D::Right, {752, 166, 40, 48});

    CarPosition = new CarMarker(this);
    CarPosition->setObjectName(QStringLiteral("CarPosition"));
    CarPosition->setGeometry(393, 167, 17, 23);
    CarPosition->hide();

    setMapPalette(MapPalette::day());
    showAxis();
}

void MapScreen::setMapPalette(const MapPalette &palette)
{
    try {
        m_context.map.setPalette(palette);
    } catch (...) {
    }
    QPalette colours = StreetBar->palette();
    colours.setColor(QPalette::Window, palette.streetBar);
    colours.setColor(QPalette::WindowText, palette.streetBarText);
    StreetBar->setPalette(colours);
}

void MapScreen::showStreet(const QString &place)
{
    const bool named = !place.isEmpty() && place != PlaceFinder::NotAvailable;
    StreetBar->setText(named ? place : QString());
    StreetBar->setVisible(named);
}

void MapScreen::setArrowColour(const QColor &colour)
{
    for (ArrowSymbol *a : {ns1, ns2, we1, we2})
        a->setColour(colour);
}

void MapScreen::CreateMap()
{
    if (m_state == State::Creating || m_state == State::Created)
        return;
    // A map that made its view before it failed stays as it is.
    if (m_state == State::Failed && m_context.map.view())
        return;
    m_state = State::Creating;
    QPointer<MapScreen> self(this);
    try {
        m_context.map.create(OleContainer, [self](bool ok) {
            if (self)
                self->mapCreated(ok);
        });
    } catch (...) {
        mapCreated(false);
    }
}

void MapScreen::mapCreated(bool ok)
{
    if (m_state != State::Creating)
        return;
    m_state = ok ? State::Created : State::Failed;
    if (QWidget *view = m_context.map.view()) {
        view->setGeometry(OleContainer->rect());
        view->show();
    }
    // The indicators stay above the map and the street bar.
    StreetBar->raise();
    for (QWidget *w :
         {static_cast<QWidget *>(ns1), static_cast<QWidget *>(ns2), static_cast<QWidget *>(we1),
          static_cast<QWidget *>(we2), static_cast<QWidget *>(CarPosition)})
        w->raise();
    if (m_context.created)
        m_context.created(ok);
}

QString MapScreen::PlaceAtPosition(double latitude, double longitude)
{
    try {
        return m_context.map.placeAt(latitude, longitude);
    } catch (...) {
        return QString();
    }
}

QString MapScreen::CentreOnCar(double latitude, double longitude)
{
    try {
        if (!m_context.map.centre(latitude, longitude, ZoomFactor))
            return QString();
    } catch (...) {
        return QString();
    }
    // The course tells which of two roads near the car it is on; a standing car has none.
    const GpsValues &gps = m_context.shared.gps;
    const std::optional<double> course =
        gps.Stationary ? std::nullopt : std::optional<double>(gps.ComputedCourse);
    QString place;
    try {
        place = m_context.map.placeAlong(latitude, longitude, course);
    } catch (...) {
    }
    CarPosition->show();
    showStreet(place);
    return place;
}

void MapScreen::applyZoom()
{
    const SharedValues &s = m_context.shared;
    if (s.BusinessMode) {
        CentreOnCar(s.gps.DecimalLatitude, s.gps.DecimalLongitude);
        return;
    }
    try {
        m_context.map.setAltitude(ZoomFactor);
    } catch (...) {
    }
}

void MapScreen::ZoomOut()
{
    ZoomFactor *= 2;
    applyZoom();
}

void MapScreen::ZoomIn()
{
    ZoomFactor = qMax(1.0, ZoomFactor / 2);
    applyZoom();
}

// The marker goes only when the map really moved; a failed pan leaves the screen as it
// was.
void MapScreen::pan(int northSouthCode, int westEastCode)
{
    bool moved = false;
    try {
        moved = m_context.map.pan(PanAxisNorthSouth ? northSouthCode : westEastCode, 1.0);
    } catch (...) {
    }
    if (moved)
        CarPosition->hide();
}

void MapScreen::PanBack() { pan(8, 4); }

void MapScreen::PanForward() { pan(2, 6); }

void MapScreen::SwitchAxis()
{
    PanAxisNorthSouth = !PanAxisNorthSouth;
    showAxis();
}

void MapScreen::showAxis()
{
    ns1->setVisible(PanAxisNorthSouth);
    ns2->setVisible(PanAxisNorthSouth);
    we1->setVisible(!PanAxisNorthSouth);
    we2->setVisible(!PanAxisNorthSouth);
}

void MapScreen::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::T:
        ZoomOut();
        break;
    case CommandKey::Z:
        ZoomIn();
        break;
    case CommandKey::L:
        PanBack();
        break;
    case CommandKey::R:
        PanForward();
        break;
    case CommandKey::C:
        SwitchAxis();
        break;
    case CommandKey::Q:
        if (m_context.back)
            m_context.back();
        break;
    default:
        break;
    }
}
