#include "gps/RadarWarningView.h"

#include "gps/RadarScreen.h"
#include "widgets/PaintBox.h"
#include "widgets/PanelButton.h"

#include <QLabel>

void RadarWarningView::setLimitText(const QString &text)
{
    m_screen.Alert_RadarWarning_limit->setText(text);
}

void RadarWarningView::setDistanceText(const QString &text)
{
    m_screen.RadarWarning_distance->setText(text);
}

void RadarWarningView::setSecondDistanceText(const QString &text)
{
    m_screen.Second_RadarWarning_distance->setText(text);
}

void RadarWarningView::setSystemMessage(const QString &text)
{
    m_screen.RadarSystemMessage->setText(text);
}

void RadarWarningView::setSatellitesOk(bool ok)
{
    QPalette p = m_screen.NAV_SatNum->palette();
    p.setColor(QPalette::WindowText, ok ? m_screen.textColour() : QColor(Qt::red));
    m_screen.NAV_SatNum->setPalette(p);
}

void RadarWarningView::showAlertPicture(bool shown)
{
    m_screen.Alertpanel->setVisible(shown);
    if (shown)
        m_screen.Alertpanel->raise();
}

void RadarWarningView::showMap(const QImage &bitmap) { m_screen.seekarte->setImage(bitmap); }
