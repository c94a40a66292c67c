#include "widgets/ListRowsView.h"

#include "widgets/SkinFont.h"

#include <QPainter>

ListRowsView::ListRowsView(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFont(SkinFont::points(SkinFont::Narrow, 20, true));
}

void ListRowsView::setColours(const QColor &text, const QColor &highlight)
{
    m_text = text;
    m_highlight = highlight;
    update();
}

void ListRowsView::setRows(const QStringList &items, int top, int selected)
{
    m_items = items;
    m_top = top;
    m_selected = selected;
    update();
}

void ListRowsView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QFont plain = font();
    plain.setBold(false);
    plain.setItalic(true);
    QFont chosen = font();
    chosen.setBold(true);
    chosen.setItalic(false);
    const int width = this->width() - m_indent - 8;
    const int rows = visibleRows();
    for (int r = 0; r < rows; ++r) {
        const int i = m_top + r;
        if (i < 0 || i >= m_items.size())
            break;
        const bool selected = i == m_selected;
        p.setFont(selected ? chosen : plain);
        p.setPen(selected ? m_highlight : m_text);
        const QRect row(m_indent, r * m_rowHeight, width, m_rowHeight);
        const QString text = p.fontMetrics().elidedText(m_items[i], Qt::ElideRight, width);
        p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}
