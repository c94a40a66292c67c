#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// Draws the visible rows of a media list: whole rows of a fixed height, no scroll bars,
// the selected row bold in the highlight colour, the others italic in the text colour.
// It takes no focus and lets the mouse through: the list is moved only by the knob.
class ListRowsView : public QWidget {
    Q_OBJECT
public:
    explicit ListRowsView(QWidget *parent = nullptr);

    void setRowHeight(int pixels) { m_rowHeight = pixels; }
    int rowHeight() const { return m_rowHeight; }
    // Room left of the text for the selection marker.
    void setTextIndent(int pixels) { m_indent = pixels; }
    void setColours(const QColor &text, const QColor &highlight);
    QColor textColour() const { return m_text; }
    QColor highlightColour() const { return m_highlight; }

    // items is shared, not copied.
    void setRows(const QStringList &items, int top, int selected);
    int visibleRows() const { return height() / m_rowHeight; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList m_items;
    int m_top = 0;
    int m_selected = -1;
    int m_rowHeight = 42;
    int m_indent = 0;
    QColor m_text = Qt::white;
    QColor m_highlight = Qt::white;
};
