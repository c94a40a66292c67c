#include "widgets/SelectionMarker.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

namespace {

class MarkerPiece : public QWidget {
public:
    enum Kind { Bar, Line, Knob };
    MarkerPiece(Kind kind, QWidget *parent) : QWidget(parent), m_kind(kind)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }
    void setColour(const QColor &c)
    {
        m_colour = c;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = rect();
        switch (m_kind) {
        case Bar: {
            // A rounded bar shaded across its height, brightest in the middle.
            QLinearGradient g(r.topLeft(), r.bottomLeft());
            g.setColorAt(0, m_colour.darker(220));
            g.setColorAt(0.5, m_colour.lighter(130));
            g.setColorAt(1, m_colour.darker(220));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawRoundedRect(r, 6, 6);
            break;
        }
        case Line:
            p.fillRect(r, m_colour);
            break;
        case Knob:
            p.setPen(QPen(m_colour.darker(250), 2));
            p.setBrush(Qt::white);
            p.drawEllipse(r.adjusted(1, 1, -1, -1));
            break;
        }
    }

private:
    Kind m_kind;
    QColor m_colour = Qt::white;
};

MarkerPiece *piece(QWidget *w) { return static_cast<MarkerPiece *>(w); }

} // namespace

SelectionMarker::SelectionMarker(QWidget *parent)
{
    Shape2 = new MarkerPiece(MarkerPiece::Line, parent);
    Shape1 = new MarkerPiece(MarkerPiece::Bar, parent);
    Shape3 = new MarkerPiece(MarkerPiece::Knob, parent);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape3->setObjectName(QStringLiteral("Shape3"));
    Shape1->resize(BarWidth, BarHeight);
    Shape3->resize(14, 14);
    placeBar(91, 0);
    hide();
}

void SelectionMarker::placeBar(int left, int top)
{
    Shape1->move(left, top);
    // The line runs from the bar's right edge to a fixed point right of the arc.
    Shape2->setGeometry(left + BarWidth, top + BarHeight / 2, 100 - left, 2);
    Shape3->move(left + 6, top + 7);
    for (QWidget *w : {Shape2, Shape1, Shape3})
        w->raise();
}

QPoint SelectionMarker::barPosition() const { return Shape1->pos(); }

void SelectionMarker::show()
{
    for (QWidget *w : {Shape1, Shape2, Shape3})
        w->show();
}

void SelectionMarker::hide()
{
    for (QWidget *w : {Shape1, Shape2, Shape3})
        w->hide();
}

bool SelectionMarker::isVisible() const { return !Shape1->isHidden(); }

void SelectionMarker::setColour(const QColor &main)
{
    for (QWidget *w : {Shape1, Shape2, Shape3})
        piece(w)->setColour(main);
}
