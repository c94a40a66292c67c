#include "gps/RadarScreen.h"

#include "core/ColourScheme.h"
#include "core/NumberText.h"
#include "gps/NavigationText.h"
#include "widgets/FittingPanel.h"
#include "widgets/PaintBox.h"
#include "widgets/PanelButton.h"
#include "widgets/PictureView.h"
#include "widgets/SkinFont.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>

namespace {

constexpr int Frame = 5;
constexpr int InfoLeft = RadarScreen::MapWidth + 3 * Frame;
constexpr int RowHeight = 42;
constexpr int FirstRow = RadarScreen::MapHeight + 3 * Frame;
constexpr int SecondRow = FirstRow + RowHeight + 2;

FittingPanel *infoLabel(const QString &text, QWidget *parent, QRect geometry, int pixels, bool bold)
{
    auto *l = new FittingPanel(text, parent);
    l->setFont(SkinFont::pixels(SkinFont::Narrow, pixels, bold));
    l->setGeometry(geometry);
    l->clearBackground();
    return l;
}

} // namespace

RadarScreen::RadarScreen(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RadarScreen"));
    buildMap();
    buildInfoPanel();
    buildNavigation();
    CheckBox2 = new QCheckBox(this);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setFocusPolicy(Qt::NoFocus);
    CheckBox2->hide();
    connect(CheckBox2, &QCheckBox::toggled, this, &RadarScreen::CheckBox2Click);
}

void RadarScreen::buildMap()
{
    RadarPanel = new QWidget(this);
    RadarPanel->setObjectName(QStringLiteral("RadarPanel"));
    RadarPanel->setGeometry(0, 0, MapWidth + 2 * Frame, MapHeight + 2 * Frame);
    seekarte = new PaintBox(RadarPanel);
    seekarte->setObjectName(QStringLiteral("seekarte"));
    seekarte->setGeometry(Frame, Frame, MapWidth, MapHeight);
    Alertpanel = new QWidget(RadarPanel);
    Alertpanel->setObjectName(QStringLiteral("Alertpanel"));
    Alertpanel->setGeometry(Frame, Frame, MapHeight, MapHeight);
    AlertImage = new PictureView(Alertpanel);
    AlertImage->setGeometry(0, 0, MapHeight, MapHeight);
    Alertpanel->hide();
}

void RadarScreen::buildInfoPanel()
{
    RadarInfoPanel = new QWidget(this);
    RadarInfoPanel->setObjectName(QStringLiteral("RadarInfoPanel"));
    const int width = 800 - InfoLeft;
    RadarInfoPanel->setGeometry(InfoLeft, 0, width, MapHeight + 2 * Frame);
    QWidget *p = RadarInfoPanel;
    Alert_RadarWarning_limit = infoLabel(QString(), p, {0, 4, width, 80}, 64, true);
    RadarWarning_distance = infoLabel(QString(), p, {0, 86, width, 44}, 36, true);
    Second_RadarWarning_distance = infoLabel(QString(), p, {0, 132, width, 36}, 26, false);
    RadarSensitivityLabel = infoLabel(QString(), p, {0, 178, width, 48}, 34, false);
    RadarSystemMessage = infoLabel(QStringLiteral("Off"), p, {0, 230, width, 52}, 40, true);
    Alert_RadarWarning_limit->setObjectName(QStringLiteral("Alert_RadarWarning_limit"));
    RadarWarning_distance->setObjectName(QStringLiteral("RadarWarning_distance"));
    Second_RadarWarning_distance->setObjectName(QStringLiteral("Second_RadarWarning_distance"));
    RadarSensitivityLabel->setObjectName(QStringLiteral("RadarSensitivityLabel"));
    RadarSystemMessage->setObjectName(QStringLiteral("RadarSystemMessage"));
    showSensitivity(1.0);
}

QLabel *RadarScreen::readOut(const QString &text, QRect geometry, Qt::Alignment align)
{
    auto *l = new QLabel(text, this);
    l->setFont(SkinFont::pixels(SkinFont::Narrow, 32));
    l->setGeometry(geometry);
    l->setAlignment(align | Qt::AlignVCenter);
    return l;
}

// Two rows under the map: where the car is, then how it moves.
void RadarScreen::buildNavigation()
{
    const Qt::Alignment left = Qt::AlignLeft;
    NAV_LAT = readOut(QStringLiteral("LAT"), {Frame, FirstRow, 200, RowHeight}, left);
    NAV_LON = readOut(QStringLiteral("LON"), {210, FirstRow, 190, RowHeight}, left);
    NAV_HEIGHT = readOut(QStringLiteral("m ASL"), {405, FirstRow, 190, RowHeight}, left);
    NAV_UTCTime = readOut(QStringLiteral("UTC"), {600, FirstRow, 195, RowHeight}, Qt::AlignRight);
    NAV_SOG = readOut(QStringLiteral("km/h"), {Frame, SecondRow, 130, RowHeight}, left);
    NAV_COG_Computed = readOut(QStringLiteral("COG"), {140, SecondRow, 130, RowHeight}, left);
    NAV_SatNum = readOut(QStringLiteral("SATs "), {275, SecondRow, 125, RowHeight}, left);
    Nav_scale = new PanelButton(QStringLiteral("scale: 1km"), this);
    Nav_scale->setFont(SkinFont::pixels(SkinFont::Narrow, 32));
    Nav_scale->setGeometry(405, SecondRow, 190, RowHeight);
    Nav_scale->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    Nav_scale->setObjectName(QStringLiteral("Nav_scale"));
    RadarMemo = new QPlainTextEdit(this);
    RadarMemo->setObjectName(QStringLiteral("RadarMemo"));
    RadarMemo->setReadOnly(true);
    RadarMemo->setUndoRedoEnabled(false); // a log: nothing to undo, no history to keep
    RadarMemo->setFocusPolicy(Qt::NoFocus);
    RadarMemo->setFrameShape(QFrame::NoFrame);
    RadarMemo->setFont(SkinFont::pixels(SkinFont::Narrow, 18));
    RadarMemo->setGeometry(600, SecondRow, 800 - 600 - Frame, RowHeight);
}

void RadarScreen::addMessage(const QString &line)
{
    if (!BoundedMemo::append(*RadarMemo, line, RadarMemoCapacity))
        BoundedMemo::append(*RadarMemo, line, RadarMemoCapacity);
}

void RadarScreen::showScale(double km)
{
    Nav_scale->setText(QStringLiteral("scale: ") + NumberText::format(QStringLiteral("0.0"), km) +
                       QStringLiteral("km"));
}

void RadarScreen::showSensitivity(double km)
{
    RadarSensitivityLabel->setText(NumberText::format(QStringLiteral("0.0"), km) +
                                   QStringLiteral(" km"));
}

void RadarScreen::showNavigation(const NavigationText &texts)
{
    NAV_COG_Computed->setText(texts.NAV_COG_Computed);
    NAV_UTCTime->setText(texts.NAV_UTCTime);
    NAV_SatNum->setText(texts.NAV_SatNum);
    NAV_LAT->setText(texts.NAV_LAT);
    NAV_LON->setText(texts.NAV_LON);
    NAV_HEIGHT->setText(texts.NAV_HEIGHT);
    NAV_SOG->setText(texts.NAV_SOG);
}

bool RadarScreen::loadAlertPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(path))
        return false;
    AlertImage->setPixmap(picture);
    return true;
}

void RadarScreen::CheckBox2Click()
{
    const bool on = CheckBox2->isChecked();
    RadarSystemMessage->setText(on ? QStringLiteral("On") : QStringLiteral("Off"));
    emit warningSwitched(on);
}

void RadarScreen::registerColours(ColourScheme &colours)
{
    using Role = ColourScheme::Role;
    colours.add(RadarPanel, Role::AccentBackground);
    colours.add(RadarInfoPanel, Role::AccentBackground);
    for (QWidget *w : std::initializer_list<QWidget *>{
             Alert_RadarWarning_limit, RadarWarning_distance, Second_RadarWarning_distance,
             RadarSensitivityLabel, RadarSystemMessage})
        colours.add(w, Role::TextOnAccent);
    for (QWidget *w :
         std::initializer_list<QWidget *>{NAV_COG_Computed, NAV_UTCTime, NAV_SatNum, NAV_LAT,
                                          NAV_LON, NAV_HEIGHT, NAV_SOG, Nav_scale})
        colours.add(w, Role::Text);
    colours.add(RadarMemo, Role::AccentText);
    colours.add(RadarMemo, Role::Background);
    colours.addPaletteUser([this](const ColourScheme::Palette &p) { m_text = p.text; });
}
