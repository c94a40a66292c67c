#include "app/MainMenuBar.h"

#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

#include <QHBoxLayout>

namespace {
const QColor White(0xFF, 0xFF, 0xFF);
}

MainMenuBar::MainMenuBar(QWidget *parent) : QWidget(parent)
{
    const char *captions[] = {"Drivers Log", "Media", "POI", "Options", "Exit"};
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = 0; i < EntryCount; ++i) {
        auto *e = new PanelButton(QString::fromLatin1(captions[i]), this);
        e->setFont(SkinFont::points(SkinFont::Narrow, 28));
        e->setTextColour(Qt::black);
        m_entries[size_t(i)] = e;
        layout->addWidget(e);
        connect(e, &PanelButton::clicked, this, [this, i] { emit activated(i); });
    }
}

int MainMenuBar::highlighted() const
{
    for (int i = 0; i < EntryCount; ++i) {
        if (m_entries[size_t(i)]->textColour() == White)
            return i;
    }
    return -1;
}

void MainMenuBar::setHighlighted(int i, bool on)
{
    PanelButton *e = m_entries[size_t(i)];
    e->setTextColour(on ? White : QColor(Qt::black));
    e->setLook(28, on, false);
}

void MainMenuBar::highlight(int i)
{
    const int old = highlighted();
    if (old >= 0)
        setHighlighted(old, false);
    if (i >= 0 && i < EntryCount)
        setHighlighted(i, true);
}

void MainMenuBar::Button11Click()
{
    const int i = highlighted();
    if (i < 0 || i == Exit)
        return;
    setHighlighted(i, false);
    setHighlighted(i + 1, true);
}

void MainMenuBar::Button10Click()
{
    const int i = highlighted();
    if (i <= DriversLog)
        return;
    setHighlighted(i, false);
    setHighlighted(i - 1, true);
}

void MainMenuBar::Button12Click()
{
    const int i = highlighted();
    if (i >= 0)
        emit activated(i);
}
