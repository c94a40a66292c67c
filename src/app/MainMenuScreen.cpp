#include "app/MainMenuScreen.h"

#include "widgets/PanelButton.h"
#include "widgets/PictureLight.h"
#include "widgets/SkinFont.h"

#include <QEvent>
#include <QImageReader>
#include <QLabel>

MainMenuScreen::MainMenuScreen(QWidget *parent) : QWidget(parent)
{
    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 800, 379);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->installEventFilter(this);
    VersionPanel = new PanelButton(QString::fromLatin1(VersionText), this);
    VersionPanel->setGeometry(480, 345, 310, 26);
    VersionPanel->setFont(SkinFont::pixels(SkinFont::Narrow, 16, true));
}

bool MainMenuScreen::loadPicture(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    Image1->setPixmap(QPixmap::fromImage(image).scaled(Image1->size(), Qt::KeepAspectRatio,
                                                       Qt::SmoothTransformation));
    m_pictureHeight = image.height();
    return true;
}

QPixmap MainMenuScreen::picture() const { return Image1->pixmap(); }

void MainMenuScreen::setPictureLight(qreal light) { PictureLight::apply(*Image1, light); }

bool MainMenuScreen::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonPress) {
        emit imageClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
