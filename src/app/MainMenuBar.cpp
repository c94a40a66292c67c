#include "app/MainMenuBar.h"

#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

#include <QHBoxLayout>

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

void MainMenuBar::showLook(int i, bool selected)
{
    PanelButton *e = m_entries[size_t(i)];
    e->setTextColour(selected ? m_selectedColour : m_normal);
    e->setLook(28, selected, false);
}

void MainMenuBar::setCaptionColours(const QColor &normal, const QColor &selected)
{
    m_normal = normal;
    m_selectedColour = selected;
    for (int i = 0; i < EntryCount; ++i)
        showLook(i, i == m_selected);
}

void MainMenuBar::highlight(int i)
{
    if (m_selected >= 0)
        showLook(m_selected, false);
    m_selected = (i >= 0 && i < EntryCount) ? i : -1;
    if (m_selected >= 0)
        showLook(m_selected, true);
}

void MainMenuBar::Button11Click()
{
    if (m_selected < 0 || m_selected == Exit)
        return;
    highlight(m_selected + 1);
}

void MainMenuBar::Button10Click()
{
    if (m_selected <= DriversLog)
        return;
    highlight(m_selected - 1);
}

void MainMenuBar::Button12Click()
{
    if (m_selected >= 0)
        emit activated(m_selected);
}
