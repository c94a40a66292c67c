#include "app/WindowPalette.h"

QPalette WindowPalette::dark(QPalette p, const QColor &text, bool night)
{
    const auto grey = [night](int level) {
        const int l = night ? level / 2 : level;
        return QColor(l, l, l);
    };
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, grey(20));
    p.setColor(QPalette::AlternateBase, grey(35));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, grey(45));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Light, grey(90));
    p.setColor(QPalette::Midlight, grey(70));
    p.setColor(QPalette::Mid, grey(50));
    p.setColor(QPalette::Dark, grey(25));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::Highlight, night ? text : QColor(0xCD, 0xB8, 0x99));
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}
