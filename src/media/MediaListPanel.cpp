#include "media/MediaListPanel.h"

#include "core/ColourScheme.h"
#include "media/MarkerPlacement.h"
#include "media/TAUDIListbox.h"
#include "widgets/ListRowsView.h"
#include "widgets/SelectionMarker.h"
#include "widgets/SkinFont.h"

#include <QLabel>

MediaListPanel::MediaListPanel(const QString &mask, const QString &indicatorSuffix, QWidget *page,
                               std::function<void()> placeMarker)
    : m_placeMarker(std::move(placeMarker))
{
    m_list = new TAUDIListbox(mask, page);
    view = new ListRowsView(page);
    view->setRowHeight(TAUDIListbox::RowHeight);
    // The marker's line ends left of the text.
    view->setTextIndent(100);
    view->setGeometry(ListLeft, ListTop, 800, 300);

    BottomBar = new QWidget(page);
    BottomBar->setObjectName(QStringLiteral("BottomBar") + indicatorSuffix);
    BottomBar->setGeometry(0, BarTop, 800, BarHeight);
    BottomBar->setAutoFillBackground(true);
    PositionLabel = new QLabel(BottomBar);
    PositionLabel->setGeometry(500, 6, 280, 44);
    PositionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PositionLabel->setFont(SkinFont::points(SkinFont::Narrow, 20, true));

    MoreWaitingAbove_indicator = new QLabel(QStringLiteral("\u25B2"), page);
    MoreWaitingBelow_indicator = new QLabel(QStringLiteral("\u25BC"), page);
    MoreWaitingAbove_indicator->setObjectName("MoreWaitingAbove_indicator" + indicatorSuffix);
    MoreWaitingBelow_indicator->setObjectName("MoreWaitingBelow_indicator" + indicatorSuffix);
    MoreWaitingAbove_indicator->setGeometry(740, ListTop, 40, 26);
    MoreWaitingBelow_indicator->setGeometry(740, 281, 40, 26);
    for (QLabel *l : {MoreWaitingAbove_indicator, MoreWaitingBelow_indicator}) {
        l->setFont(SkinFont::points(SkinFont::Sans, 16));
        l->setAlignment(Qt::AlignCenter);
        l->hide();
    }

    QObject::connect(m_list, &TAUDIListbox::selectionChanged, view, [this] {
        view->setRows(m_list->items(), m_list->topIndex(), m_list->itemIndex());
        showPosition();
    });
}

void MediaListPanel::next()
{
    const int i = m_list->itemIndex();
    m_list->setItemIndex(i + 1);
    m_placeMarker();
    showIndicatorsDown();
}

void MediaListPanel::previous()
{
    const int i = m_list->itemIndex();
    // Nothing selected: previous has nowhere to go.
    if (i >= 0)
        m_list->setItemIndex(i - 1 >= 0 ? i - 1 : i);
    m_placeMarker();
    const int n = m_list->count();
    MoreWaitingAbove_indicator->setVisible(n > 6 && m_list->itemIndex() > 0 &&
                                           m_list->topIndex() > 0);
    MoreWaitingBelow_indicator->setVisible(n > 6 && m_list->topIndex() + 7 < n);
}

void MediaListPanel::showPosition()
{
    QString text = QString::number(m_list->itemIndex() + 1) + QStringLiteral(" of ") +
                   QString::number(m_list->count());
    const QString suffix = m_suffix ? m_suffix() : QString();
    if (!suffix.isEmpty())
        text += QLatin1Char(' ') + suffix;
    PositionLabel->setText(text);
}

void MediaListPanel::hideIndicators()
{
    MoreWaitingAbove_indicator->hide();
    MoreWaitingBelow_indicator->hide();
}

void MediaListPanel::showIndicatorsDown()
{
    const int n = m_list->count();
    MoreWaitingAbove_indicator->setVisible(n > 6 && m_list->itemIndex() > 6);
    MoreWaitingBelow_indicator->setVisible(n > 6 && m_list->topIndex() + 7 < n);
}

void MediaListPanel::moveList(int left, int top) { view->move(left, top); }

void MediaListPanel::enterDirectory(const QString &path)
{
    // Hidden while it is filled again, so no half-drawn list shows.
    view->hide();
    const bool entered = m_list->setDirectory(path);
    view->show();
    // A directory that can't be entered leaves the list as it was, selection included.
    if (entered)
        m_list->setItemIndex(m_list->count() > 0 ? 0 : -1);
    m_placeMarker();
    showIndicatorsDown();
}

void MediaListPanel::showSelection()
{
    if (m_list->itemIndex() < 0 && m_list->count() > 0)
        m_list->setItemIndex(0);
    m_placeMarker();
}

void MediaListPanel::pointMarker(SelectionMarker &marker, bool onScreen) const
{
    if (!onScreen || m_list->count() == 0 || m_list->itemIndex() < 0) {
        marker.hide();
        return;
    }
    const QPoint bar = MarkerPlacement::listBar(m_list->itemIndex() - m_list->topIndex(),
                                                marker.barPosition().x());
    marker.placeBar(bar.x(), bar.y());
    marker.show();
}

void MediaListPanel::registerColours(ColourScheme &colours)
{
    using Role = ColourScheme::Role;
    colours.add(BottomBar, Role::AccentBackground);
    colours.add(PositionLabel, Role::TextOnAccent);
    colours.add(MoreWaitingAbove_indicator, Role::AccentText);
    colours.add(MoreWaitingBelow_indicator, Role::AccentText);
    colours.addPaletteUser(
        [this](const ColourScheme::Palette &p) { view->setColours(p.accent, p.text); });
}
