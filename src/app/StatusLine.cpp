#include "app/StatusLine.h"

#include "widgets/SkinFont.h"

#include <QLabel>

StatusLine::StatusLine(QWidget *parent) : QWidget(parent)
{
    const QFont font = SkinFont::pixels(SkinFont::Narrow, 32);
    auto label = [&](const QString &text, QRect geometry, Qt::Alignment align) {
        auto *l = new QLabel(text, this);
        l->setFont(font);
        l->setGeometry(geometry);
        l->setAlignment(align | Qt::AlignVCenter);
        return l;
    };
    Clock = label(QStringLiteral("00:00"), {10, 0, 90, 75}, Qt::AlignLeft);
    sensorlabel = label(QStringLiteral("POI"), {110, 0, 60, 75}, Qt::AlignLeft);
    // A document with a pen: the business-logging glyph.
    LogIndicator = label(QStringLiteral("\u270D"), {175, 0, 45, 75}, Qt::AlignLeft);
    LogIndicator->setFont(SkinFont::pixels(SkinFont::Sans, 30));
    // A crescent moon: the night colours are on.
    NightIndicator = label(QStringLiteral("\u263E"), {222, 0, 40, 75}, Qt::AlignLeft);
    NightIndicator->setFont(SkinFont::pixels(SkinFont::Sans, 30));
    DateLabel = label(QString(), {265, 0, 390, 75}, Qt::AlignRight);
    GPSLabel = label(QStringLiteral("GPS"), {664, 0, 64, 75}, Qt::AlignHCenter);
    CANLabel = label(QStringLiteral("CAN"), {732, 0, 64, 75}, Qt::AlignHCenter);
    // Dim until their link reports: data has arrived (main colour) or stopped (red).
    for (QLabel *link : {GPSLabel, CANLabel}) {
        QPalette p = link->palette();
        p.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
        link->setPalette(p);
    }
    sensorlabel->hide();
    LogIndicator->hide();
    NightIndicator->hide();
}
