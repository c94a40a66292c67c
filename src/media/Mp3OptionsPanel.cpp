#include "media/Mp3OptionsPanel.h"

#include "core/ColourScheme.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "media/MarkerPlacement.h"
#include "widgets/PanelButton.h"
#include "widgets/SelectionMarker.h"
#include "widgets/SkinFont.h"

#include <QPainter>

#include <iterator>

namespace {
// The rows lie on the same arc as the list rows.
constexpr int RowLeft[] = {88, 78, 72, 68, 67, 69, 72, 80, 90};
// Captions start right of the marker's line.
constexpr int CaptionLeft = 140;
// The marker's bar lies level with the middle of its row: the page starts 103 pixels
// below the top the marker counts from.
constexpr int BarOffset = 103 + Mp3OptionsPanel::FirstRowTop +
                          (Mp3OptionsPanel::RowSpacing - SelectionMarker::BarHeight) / 2;
// Italic throughout; the focused row bold and larger.
constexpr PanelButton::FocusFont RowFont{Mp3OptionsPanel::Points, Mp3OptionsPanel::FocusPoints,
                                         true};

// The panel's own face: dark, framed in the main colour.
class PanelFace : public QWidget {
public:
    explicit PanelFace(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QColor frame = Qt::white;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(12, 12, 12));
        p.setPen(QPen(frame, 2));
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
};
} // namespace

Mp3OptionsPanel::Mp3OptionsPanel(ScreenHost &screens, SelectionMarker &marker, QWidget *parent)
    : QWidget(parent), m_screens(screens), m_marker(marker), m_focus(FocusRing::Ends::Bounded)
{
    setObjectName(QStringLiteral("MP3OptionsPanel"));
    // Nine rows fit: 3 + 9 x 34 = 309 of the 313 pixels.
    static_assert(FirstRowTop + Rows * RowSpacing <= Height);
    resize(Width, Height);
    m_face = new PanelFace(this);
    m_face->setGeometry(rect());
    // The skin's symbol-font characters of "² Directory" and "Æ Main Menue" are drawn as
    // the matching Unicode symbols.
    const QString captions[Rows] = {QStringLiteral("\u2630 Directory"),
                                    QStringLiteral("\u2302 Main Menue"),
                                    QStringLiteral("Return"),
                                    PauseText,
                                    QStringLiteral("Next MP3 >"),
                                    QStringLiteral("< Previous  MP3"),
                                    QStringLiteral("Copy to Favourites"),
                                    QStringLiteral("Stop MP3"),
                                    RandomOff};
    for (int row = 0; row < Rows; ++row) {
        auto *b = new PanelButton(captions[row], this);
        b->setFont(SkinFont::points(SkinFont::Narrow, Points, false, true));
        b->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        b->setGeometry(CaptionLeft, FirstRowTop + row * RowSpacing, width() - CaptionLeft - 8,
                       RowSpacing);
        connect(b, &PanelButton::clicked, this, [this, b] {
            m_focus.focus(b);
            activate(b);
        });
        m_rows.append(b);
    }
    Panel11 = m_rows[0];
    Panel19 = m_rows[1];
    Panel9 = m_rows[2];
    Panel2 = m_rows[3];
    Panel12 = m_rows[4];
    Panel13 = m_rows[5];
    Panel3 = m_rows[6];
    Panel4 = m_rows[7];
    Panel20 = m_rows[8];
    Panel20->setEnabled(false);
    // Knob order: from the random switch at the bottom up to "Directory".
    m_focus.setEntries(
        {Panel20, Panel4, Panel3, Panel13, Panel12, Panel2, Panel9, Panel19, Panel11});
    m_focus.onEnter([this](QWidget *w) { Panel2Enter(w); });
    m_focus.onExit([this](QWidget *w) { Panel2Exit(w); });

    m_hideTimer.setInterval(HideMs);
    connect(&m_hideTimer, &QTimer::timeout, this,
            &Mp3OptionsPanel::MP3OptionsPanelDisappearTimerTimer);
    hide();
}

int Mp3OptionsPanel::rowOf(const QWidget *button) const
{
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows[row] == button)
            return row;
    }
    return -1;
}

QPoint Mp3OptionsPanel::markerBar(int row)
{
    const int left = row >= 0 && row < int(std::size(RowLeft)) ? RowLeft[row] : RowLeft[0];
    return {left, MarkerPlacement::ScreenAreaTop + row * RowSpacing + BarOffset};
}

void Mp3OptionsPanel::restartHideTimer() { m_hideTimer.start(); }

void Mp3OptionsPanel::enableRandomToggle()
{
    Panel20->setEnabled(true);
    Panel20->setText(RandomOn);
    if (!m_focus.has(Panel20))
        restLook(Panel20);
}

void Mp3OptionsPanel::open()
{
    show();
    raise();
    m_marker.show();
    // Focus "Return" afresh, so its look and the marker follow even if it had the focus
    // when the panel last hid.
    m_focus.clear();
    m_focus.focus(Panel9);
    restartHideTimer();
}

void Mp3OptionsPanel::close()
{
    hide();
    m_focus.clear();
}

void Mp3OptionsPanel::Panel9Click()
{
    m_marker.hide();
    close();
}

void Mp3OptionsPanel::MP3OptionsPanelDisappearTimerTimer()
{
    // The marker belongs to the panel only on the now-playing screen; on another screen
    // it points at a list row and stays.
    if (m_screens.activeScreen() == Screen::MP3Album)
        m_marker.hide();
    close();
    m_hideTimer.stop();
}

void Mp3OptionsPanel::Panel2Enter(QWidget *button)
{
    restartHideTimer();
    static_cast<PanelButton *>(button)->showFocus(true, m_main, RowFont);
    const QPoint bar = markerBar(rowOf(button));
    m_marker.placeBar(bar.x(), bar.y());
    m_marker.show();
}

void Mp3OptionsPanel::Panel2Exit(QWidget *button)
{
    // Leaving as the panel hides is no activity on it.
    if (!isHidden())
        restartHideTimer();
    restLook(static_cast<PanelButton *>(button));
}

void Mp3OptionsPanel::restLook(PanelButton *button)
{
    button->showFocus(false, m_main, RowFont);
    if (!button->isEnabled()) {
        QPalette p = button->palette();
        p.setColor(QPalette::Disabled, QPalette::WindowText, m_main.darker(250));
        button->setPalette(p);
    }
}

void Mp3OptionsPanel::activate(QWidget *button)
{
    const std::function<void()> *action = nullptr;
    if (!button->isEnabled())
        return;
    if (button == Panel9) {
        Panel9Click();
        return;
    }
    if (button == Panel11)
        action = &m_actions.directory;
    else if (button == Panel19)
        action = &m_actions.mainMenu;
    else if (button == Panel2)
        action = &m_actions.pause;
    else if (button == Panel12)
        action = &m_actions.next;
    else if (button == Panel13)
        action = &m_actions.previous;
    else if (button == Panel3)
        action = &m_actions.copy;
    else if (button == Panel4)
        action = &m_actions.stop;
    else if (button == Panel20)
        action = &m_actions.random;
    if (action && *action)
        (*action)();
    if (button == Panel2 && !isHidden())
        m_focus.focus(Panel9);
}

void Mp3OptionsPanel::commandKey(quint16 key)
{
    m_focus.commandKey(key, [this](QWidget *button) { activate(button); });
}

void Mp3OptionsPanel::registerColours(ColourScheme &colours)
{
    colours.add([this](const QColor &main) {
        m_main = main;
        static_cast<PanelFace *>(m_face)->frame = main;
        m_face->update();
        for (PanelButton *b : m_rows) {
            if (m_focus.has(b))
                b->showFocus(true, main);
            else
                restLook(b);
        }
    });
}
