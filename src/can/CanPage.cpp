#include "can/CanPage.h"

#include "core/ColourScheme.h"
#include "can/WheelGlyph.h"
#include "widgets/SkinFont.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *caption(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setFont(SkinFont::pixels(SkinFont::Sans, 15));
    return l;
}

QLabel *readout(const QString &start, QWidget *parent)
{
    auto *l = new QLabel(start, parent);
    l->setFont(SkinFont::pixels(SkinFont::Narrow, 24, true));
    return l;
}

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFont(SkinFont::pixels(SkinFont::Sans, 16, true));
    b->setMinimumHeight(40);
    return b;
}

} // namespace

CanPage::CanPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CanPage"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->setSpacing(16);
    auto *left = new QVBoxLayout;
    auto *title = new QLabel(Title, this);
    title->setFont(SkinFont::pixels(SkinFont::Sans, 20, true));
    left->addWidget(title);
    left->addWidget(buildReadouts());
    left->addWidget(buildGlyphs());
    left->addStretch();
    layout->addLayout(left, 4);
    layout->addWidget(buildTrace(), 5);
}

QWidget *CanPage::buildReadouts()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    keypos = readout(QStringLiteral("UNKNOWN KEY POSITION"), box);
    gear = readout(QStringLiteral("D"), box);
    light = readout(QStringLiteral("LIGHTS OFF"), box);
    id = readout(QStringLiteral("AAAAAAAAAAAAAAAAA"), box);
    rpm = readout(QStringLiteral("9999"), box);
    speed = readout(QStringLiteral("390"), box);
    const std::pair<const char *, QLabel *> rows[] = {{"Ignition", keypos}, {"Gear", gear},
                                                      {"Light", light},     {"Car ID", id},
                                                      {"RPM", rpm},         {"Speed", speed}};
    int r = 0;
    for (const auto &[text, label] : rows) {
        grid->addWidget(caption(QString::fromLatin1(text), box), r, 0);
        grid->addWidget(label, r++, 1);
    }
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget *CanPage::buildGlyphs()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 4, 0, 0);
    grid->setVerticalSpacing(0);
    WheelGlyph **glyphs[] = {&leftwalve, &rightwalve, &mode, &audio};
    const char *names[] = {"Left", "Right", "Mode", "Audio"};
    for (int i = 0; i < 4; ++i) {
        *glyphs[i] = new WheelGlyph(box);
        (*glyphs[i])->setFixedSize(64, 52);
        grid->addWidget(*glyphs[i], 0, i, Qt::AlignHCenter);
        auto *name = caption(QString::fromLatin1(names[i]), box);
        name->setAlignment(Qt::AlignHCenter);
        grid->addWidget(name, 1, i);
    }
    return box;
}

QWidget *CanPage::buildTrace()
{
    auto *box = new QWidget(this);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    CAN2COMMemo = new QPlainTextEdit(box);
    CAN2COMMemo->setObjectName(QStringLiteral("CAN2COMMemo"));
    CAN2COMMemo->setReadOnly(true);
    CAN2COMMemo->setUndoRedoEnabled(false); // a log: nothing to undo, no history to keep
    CAN2COMMemo->setFocusPolicy(Qt::NoFocus);
    CAN2COMMemo->setFont(SkinFont::pixels(SkinFont::Sans, 13));
    // Long wheel texts wrap rather than hide behind a scroll bar.
    CAN2COMMemo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout->addWidget(CAN2COMMemo, 1);
    auto *buttons = new QGridLayout;
    BitBtn12 = button(QStringLiteral("Restart COM"), box);
    BitBtn13 = button(QStringLiteral("Stop COM"), box);
    BitBtn14 = button(QStringLiteral("Save TRACE"), box);
    BitBtn15 = button(QStringLiteral("Clear TRACE"), box);
    buttons->addWidget(BitBtn12, 0, 0);
    buttons->addWidget(BitBtn13, 0, 1);
    buttons->addWidget(BitBtn14, 1, 0);
    buttons->addWidget(BitBtn15, 1, 1);
    layout->addLayout(buttons);
    return box;
}

void CanPage::registerColours(ColourScheme &colours)
{
    for (QLabel *l : {keypos, gear, light, id, rpm, speed})
        colours.add(l, ColourScheme::Role::AccentText);
}
