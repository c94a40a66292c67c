#include "app/TopBar.h"

#include "widgets/LevelBar.h"
#include "widgets/SkinFont.h"

#include <QLabel>

TopBar::TopBar(QWidget *parent) : QWidget(parent)
{
    TopMidLabel = new QLabel(this);
    TopMidLabel->setGeometry(10, 5, 305, 70);
    TopMidLabel->setFont(SkinFont::pixels(SkinFont::Narrow, 53));
    CpuLabel = new QLabel(QStringLiteral("CPU"), this);
    CpuLabel->setGeometry(560, 25, 50, 30);
    CpuLabel->setFont(SkinFont::pixels(SkinFont::Narrow, 24));
    CpuMeter = new LevelBar(this);
    CpuMeter->setGeometry(615, 30, 170, 20);
    CpuMeter->setMaximum(100);
}
