#include "media/MovieOptionsPanel.h"

#include "core/ColourScheme.h"
#include "core/CommandKey.h"
#include "platform/VideoPlayer.h"
#include "widgets/PanelButton.h"
#include "widgets/SkinFont.h"

#include <QLabel>
#include <QSlider>

namespace {
constexpr int Points = 24;
constexpr int FocusPoints = 26;
const QColor EditColour(0xFF, 0xFF, 0x00);

QLabel *logo(const QString &text, const QColor &background, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(SkinFont::points(SkinFont::Sans, 16, true, true));
    label->setAutoFillBackground(true);
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(p);
    label->hide();
    return label;
}
} // namespace

MovieOptionsPanel::MovieOptionsPanel(VideoPlayer &player, Brightness brightness, Actions actions,
                                     QWidget *parent)
    : QWidget(parent), m_player(player), m_brightness(brightness), m_actions(std::move(actions)),
      m_focus(FocusRing::Ends::Wrap)
{
    setObjectName(QStringLiteral("MovieOptionsPanel"));
    setAutoFillBackground(true);
    // Full width with its bottom at the window's bottom.
    setGeometry(0, 600 - Height, 800, Height);
    buildFields();
    buildRing();
    hide();
}

void MovieOptionsPanel::buildFields()
{
    MovieName = new PanelButton(QString(), this);
    MovieName->setGeometry(10, 8, 320, 50);
    MovieName->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    MovieName->setFont(SkinFont::points(SkinFont::Narrow, 22, true));
    MediaLabel = new PanelButton(QStringLiteral("Media"), this);
    MediaLabel->setObjectName(QStringLiteral("MovieMediaLabel"));
    MediaLabel->setGeometry(335, 8, 110, 50);
    MediaLabel->setFont(SkinFont::points(SkinFont::Narrow, Points));
    connect(MediaLabel, &PanelButton::clicked, this, [this] {
        if (m_actions.media)
            m_actions.media();
    });
    MovieCodec = new QLabel(this);
    MovieCodec->setGeometry(450, 8, 70, 50);
    MovieCodec->setAlignment(Qt::AlignCenter);
    MovieCodec->setFont(SkinFont::points(SkinFont::Narrow, 18));
    DivXLogo = logo(QStringLiteral("DivX"), QColor(0x1B, 0x3A, 0x8C), this);
    DivXLogo->setGeometry(525, 14, 70, 38);
    XviDLogo = logo(QStringLiteral("XviD"), QColor(0x8C, 0x1B, 0x1B), this);
    XviDLogo->setGeometry(525, 14, 70, 38);
    MovieTime = new PanelButton(QString(), this);
    MovieTime->setGeometry(600, 8, 195, 50);
    MovieTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    MovieTime->setFont(SkinFont::points(SkinFont::Narrow, 22, true));
    // A click on the name or the time closes the panel, as "Show" does.
    for (PanelButton *field : {MovieName, MovieTime})
        connect(field, &PanelButton::clicked, this, [this] { activate(Panel27); });
}

void MovieOptionsPanel::buildRing()
{
    Panel30 = new PanelButton(QStringLiteral("Main"), this);
    Panel27 = new PanelButton(QStringLiteral("Show"), this);
    Panel26 = new PanelButton(QStringLiteral("Pause"), this);
    Panel25 = new PanelButton(QStringLiteral("Stop"), this);
    HeightPanel = new PanelButton(QStringLiteral("Height"), this);
    ZoomPanel = new PanelButton(QStringLiteral("Zoom"), this);
    LumiPanel = new PanelButton(QStringLiteral("Lumi"), this);
    Panel28 = new PanelButton(QStringLiteral("Full"), this);
    const QList<QWidget *> ring{Panel30,     Panel27,   Panel26,   Panel25,
                                HeightPanel, ZoomPanel, LumiPanel, Panel28};
    int x = 4;
    for (QWidget *w : ring) {
        auto *entry = static_cast<PanelButton *>(w);
        entry->setFont(SkinFont::points(SkinFont::Narrow, Points));
        entry->setGeometry(x, 70, 99, 70);
        x += 99;
        connect(entry, &PanelButton::clicked, this, [this, entry] { activate(entry); });
    }
    m_focus.setEntries(ring);
    // Panel30Enter / Panel30Exit: the focus look; both keep the panel up a while longer.
    m_focus.onEnter([this](QWidget *w) {
        auto *entry = static_cast<PanelButton *>(w);
        // An edit mode left on (the auto-hide ends only the zoom edit) keeps its colour.
        const bool editing = entry == LumiPanel && m_lumiEdit;
        entry->setTextColour(editing ? EditColour : QColor(Qt::white));
        entry->setLook(FocusPoints, true, false);
        if (m_actions.restartHideTimer)
            m_actions.restartHideTimer();
    });
    m_focus.onExit([this](QWidget *w) {
        auto *entry = static_cast<PanelButton *>(w);
        entry->setTextColour(Qt::black);
        entry->setLook(Points, false, false);
        if (m_actions.restartHideTimer)
            m_actions.restartHideTimer();
    });
}

void MovieOptionsPanel::activate(QWidget *entry)
{
    const std::function<void()> *action = nullptr;
    if (entry == Panel30)
        action = &m_actions.main;
    else if (entry == Panel27)
        action = &m_actions.show;
    else if (entry == Panel26)
        action = &m_actions.pause;
    else if (entry == Panel25)
        action = &m_actions.stop;
    else if (entry == Panel28)
        action = &m_actions.full;
    if (action && *action)
        (*action)();
}

void MovieOptionsPanel::focusShow() { m_focus.focus(Panel27); }

void MovieOptionsPanel::endZoomEdit()
{
    m_zoomEdit = false;
    ZoomPanel->setTextColour(Qt::black);
}

void MovieOptionsPanel::toggleZoomEdit()
{
    if (!m_zoomEdit) {
        m_zoomEdit = true;
        ZoomPanel->setTextColour(EditColour);
        return;
    }
    endZoomEdit();
    focusShow();
}

void MovieOptionsPanel::toggleLumiEdit()
{
    if (!m_lumiEdit) {
        m_lumiEdit = true;
        LumiPanel->setTextColour(EditColour);
        return;
    }
    m_lumiEdit = false;
    LumiPanel->setText(QStringLiteral("Lumi"));
    LumiPanel->setTextColour(Qt::black);
    focusShow();
}

void MovieOptionsPanel::step(int direction)
{
    QWidget *focused = m_focus.current();
    if (!focused)
        return;
    if (focused == ZoomPanel && m_zoomEdit) {
        m_player.setDisplaySize(VideoPlayer::DisplaySize::Custom);
        m_player.setZoom(m_player.zoom() + direction * ZoomStep); // 0 or less is refused
        ZoomPanel->setText(QString::number(m_player.zoom()) + QStringLiteral(" %"));
        return;
    }
    if (focused == LumiPanel && m_lumiEdit) {
        if (QSlider *knob = m_brightness.knob)
            knob->setValue(qBound(knob->minimum(), knob->value() + direction * BrightnessStep,
                                  knob->maximum()));
        if (m_brightness.label)
            LumiPanel->setText(m_brightness.label->text());
        return;
    }
    direction > 0 ? m_focus.next() : m_focus.previous();
}

void MovieOptionsPanel::commandKey(quint16 key)
{
    switch (key) {
    case CommandKey::R:
        step(+1);
        break;
    case CommandKey::L:
        step(-1);
        break;
    case CommandKey::C: {
        QWidget *focused = m_focus.current();
        if (focused == ZoomPanel) {
            toggleZoomEdit();
            update();
        } else if (focused == LumiPanel) {
            toggleLumiEdit();
            update();
        } else if (focused == Panel26) {
            activate(Panel26);
            focusShow();
        } else if (focused != HeightPanel) {
            activate(focused);
        }
        break;
    }
    default:
        break;
    }
}

void MovieOptionsPanel::registerColours(ColourScheme &colours)
{
    using Role = ColourScheme::Role;
    colours.add(this, Role::AccentBackground);
    for (QWidget *w : {static_cast<QWidget *>(MovieName), static_cast<QWidget *>(MovieTime),
                       static_cast<QWidget *>(MovieCodec), static_cast<QWidget *>(MediaLabel)})
        colours.add(w, Role::TextOnAccent);
}
