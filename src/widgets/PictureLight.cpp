#include "widgets/PictureLight.h"

#include <QGraphicsOpacityEffect>
#include <QPainter>
#include <QWidget>

QImage PictureLight::dimmed(const QImage &picture, qreal light)
{
    if (picture.isNull() || light >= 1.0)
        return picture;
    QImage copy = picture.convertToFormat(
        picture.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    QPainter p(&copy);
    p.setCompositionMode(QPainter::CompositionMode_SourceAtop); // transparency stays
    p.fillRect(copy.rect(), QColor(0, 0, 0, qRound(255 * (1.0 - qMax(0.0, light)))));
    return copy;
}

void PictureLight::apply(QWidget &picture, qreal light)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(picture.graphicsEffect());
    if (light >= 1.0) {
        // By day the picture is drawn straight, without the effect's extra pass.
        if (effect)
            effect->setEnabled(false);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(&picture);
        picture.setGraphicsEffect(effect); // the widget owns it
    }
    effect->setOpacity(qMax(0.0, light));
    effect->setEnabled(true);
}
