#include "app/OptionsScreen.h"

#include "core/NightSwitch.h"
#include "core/SettingsModel.h"
#include "widgets/ColourSwatch.h"
#include "widgets/RadioGroup.h"
#include "widgets/SkinFont.h"
#include "widgets/TurnKnob.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QPushButton *button(const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

QCheckBox *checkBox(const QString &caption, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

// Text fields take the focus only when clicked: the knob's keys must never type into them.
QLineEdit *textField(QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QLabel *thumbnail(QWidget *parent)
{
    auto *l = new QLabel(parent);
    l->setFixedSize(120, 90);
    l->setScaledContents(true);
    l->setFrameShape(QFrame::Box);
    return l;
}

// The knob's key set-up drawn as a table: what each movement of the PowerMate must send.
QPixmap knobSettingsPicture()
{
    QPixmap pm(360, 150);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPoint(60, 75), 45, 45);
    p.setBrush(QColor(40, 90, 200));
    p.drawEllipse(QPoint(60, 75), 12, 12);
    p.setFont(SkinFont::pixels(SkinFont::Sans, 13));
    const char *rows[][2] = {{"Rotate right", "SEND KEY  R"},
                             {"Rotate left", "SEND KEY  L"},
                             {"Click", "SEND KEY  C"},
                             {"Long click", "SEND KEY  Q"},
                             {"Press + rotate right", "SEND KEY  T"},
                             {"Press + rotate left", "SEND KEY  Z"}};
    int y = 28;
    for (const auto &row : rows) {
        p.drawText(125, y, QString::fromLatin1(row[0]));
        p.drawText(280, y, QString::fromLatin1(row[1]));
        y += 21;
    }
    return pm;
}

QStringList comPorts()
{
    QStringList ports;
    for (int i = 1; i <= 9; ++i)
        ports << QStringLiteral("COM%1").arg(i);
    return ports;
}

} // namespace

OptionsScreen::OptionsScreen(QWidget *parent) : QWidget(parent), m_notebook(new QTabWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_notebook);
    m_notebook->setFocusPolicy(Qt::NoFocus);
    m_notebook->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_notebook->setFont(SkinFont::pixels(SkinFont::Sans, 13));
    m_notebook->addTab(buildSys(), QStringLiteral("Sys"));
    m_notebook->addTab(buildScreen(), QStringLiteral("Screen"));
    // "&&" shows one ampersand instead of making a mnemonic.
    m_notebook->addTab(buildDirs(), QStringLiteral("Dirs && Images"));
    m_notebook->addTab(buildGriffin(), QStringLiteral("Griffin"));
    m_notebook->addTab(buildExit(), QStringLiteral("Exit"));
    m_notebook->addTab(buildColor(), QStringLiteral("Color"));
    m_notebook->addTab(buildStart(), QStringLiteral("Start, COM && Sound"));
    m_notebook->addTab(buildCan(), QStringLiteral("CAN"));
}

void OptionsScreen::edit(SettingsModel &settings)
{
    SettingsModel *model = &settings;
    const auto text = [model](QLineEdit *edit, QString Settings::*field) {
        connect(edit, &QLineEdit::textChanged, model,
                [model, field](const QString &t) { model->set(field, t); });
    };
    const auto check = [model](QCheckBox *box, bool Settings::*field) {
        connect(box, &QCheckBox::toggled, model,
                [model, field](bool on) { model->set(field, on); });
    };
    const auto choice = [model](RadioGroup *group, int Settings::*field) {
        connect(group, &RadioGroup::itemIndexChanged, model,
                [model, field](int index) { model->set(field, index); });
    };
    text(MainImageEdit, &Settings::mainImage);
    text(Mp3BitmapEdit, &Settings::mp3Bitmap);
    text(Mp3PathEdit, &Settings::mp3Path);
    text(MoviePathEdit, &Settings::moviePath);
    text(LogPathEdit, &Settings::logPath);
    text(Edit9, &Settings::warningSound);
    check(MouseEnabledBox, &Settings::mouse);
    check(GPSMouseEnabledBox, &Settings::gpsEnabled);
    check(CAN2COMEnabledBox, &Settings::can2comEnabled);
    choice(RadioGroup1, &Settings::exitChoice);
    choice(RadioGroup3, &Settings::gpsPort);
    choice(RadioGroup4, &Settings::can2comPort);
    connect(NightSourceChoice, &RadioGroup::itemIndexChanged, model, [model](int index) {
        if (index >= 0)
            model->set(&Settings::nightSource, NightSwitch::sourceText(NightSwitch::Source(index)));
    });
    for (size_t i = 0; i < cpx.size(); ++i)
        connect(cpx[i], &ColourSwatch::colourChanged, model, [model, i](quint32 colour) {
            model->update([&](Settings &s) { s.swatches[i] = colour; });
        });

    connect(model, &SettingsModel::changed, this,
            [this, model](Settings::Key key) { showSetting(model->values(), key); });
    // The controls take the model's values now.
    for (const Settings::Key key :
         {Settings::Key::MainImage, Settings::Key::Mp3Bitmap, Settings::Key::Mp3Path,
          Settings::Key::MoviePath, Settings::Key::LogPath, Settings::Key::WarningSound,
          Settings::Key::Mouse, Settings::Key::GpsEnabled, Settings::Key::Can2ComEnabled,
          Settings::Key::ExitChoice, Settings::Key::GpsPort, Settings::Key::Can2ComPort,
          Settings::Key::Swatches, Settings::Key::NightSource})
        showSetting(model->values(), key);
}

void OptionsScreen::showSetting(const Settings &v, Settings::Key key)
{
    const auto text = [](QLineEdit *edit, const QString &value) {
        if (edit->text() != value)
            edit->setText(value);
    };
    const auto choice = [](RadioGroup *group, int value) {
        if (group->itemIndex() != value)
            group->setItemIndex(value);
    };
    using Key = Settings::Key;
    switch (key) {
    case Key::MainImage:
        return text(MainImageEdit, v.mainImage);
    case Key::Mp3Bitmap:
        return text(Mp3BitmapEdit, v.mp3Bitmap);
    case Key::Mp3Path:
        return text(Mp3PathEdit, v.mp3Path);
    case Key::MoviePath:
        return text(MoviePathEdit, v.moviePath);
    case Key::LogPath:
        return text(LogPathEdit, v.logPath);
    case Key::WarningSound:
        return text(Edit9, v.warningSound);
    case Key::Mouse:
        return MouseEnabledBox->setChecked(v.mouse);
    case Key::GpsEnabled:
        return GPSMouseEnabledBox->setChecked(v.gpsEnabled);
    case Key::Can2ComEnabled:
        CAN2COMEnabledBox->setChecked(v.can2comEnabled);
        return showNightSource(v);
    case Key::NightSource:
        return showNightSource(v);
    case Key::ExitChoice:
        return choice(RadioGroup1, v.exitChoice);
    case Key::GpsPort:
        return choice(RadioGroup3, v.gpsPort);
    case Key::Can2ComPort:
        return choice(RadioGroup4, v.can2comPort);
    case Key::Swatches:
        for (size_t i = 0; i < cpx.size(); ++i)
            cpx[i]->setColour(v.swatches[i]);
        return;
    default: // kept elsewhere while Rovana runs, or not shown here
        return;
    }
}

// An empty setting shows the source that stands in for it, and stays empty until the
// driver chooses.
void OptionsScreen::showNightSource(const Settings &v)
{
    const QSignalBlocker quiet(NightSourceChoice);
    NightSourceChoice->setItemIndex(int(NightSwitch::sourceFor(v.nightSource, v.can2comEnabled)));
}

int OptionsScreen::page() const { return m_notebook->currentIndex(); }

void OptionsScreen::setPage(int page) { m_notebook->setCurrentIndex(page); }

void OptionsScreen::nextPage() { setPage((page() + 1) % m_notebook->count()); }

// A full list is emptied and then takes the line: the newest message is the one that
// tells the driver what is going on now.
void OptionsScreen::appendSysMessage(const QString &line)
{
    if (!BoundedMemo::append(*SysMemo, line, SysMemoCapacity))
        BoundedMemo::append(*SysMemo, line, SysMemoCapacity);
}

QStringList OptionsScreen::sysMessages() const { return BoundedMemo::lines(*SysMemo); }

QWidget *OptionsScreen::buildSys()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    SysMemo = new QPlainTextEdit(page);
    SysMemo->setReadOnly(true);
    SysMemo->setUndoRedoEnabled(false); // a log: nothing to undo, no history to keep
    SysMemo->setFocusPolicy(Qt::NoFocus);
    SysMemo->setFont(SkinFont::pixels(SkinFont::Sans, 13));
    MouseEnabledBox = checkBox(QStringLiteral("Mouse enabled"), page);
    layout->addWidget(SysMemo);
    layout->addWidget(MouseEnabledBox);
    return page;
}

QWidget *OptionsScreen::buildScreen()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setContentsMargins(40, 10, 40, 10);
    Knob1 = new QSlider(Qt::Horizontal, page);
    Knob1->setRange(0, 256);
    Knob1->setValue(128);
    Knob1->setPageStep(8);
    Knob1->setFocusPolicy(Qt::NoFocus);
    Knob1Label = new QLabel(QStringLiteral("STD"), page);
    Knob1Label->setAlignment(Qt::AlignCenter);
    Knob1Label->setFont(SkinFont::points(SkinFont::Narrow, 28, true));
    Knob1Picture = new TurnKnob(page);
    Knob1Picture->setFixedSize(130, 130);
    const QFont captions = SkinFont::pixels(SkinFont::Narrow, 24);
    auto caption = [&](const char *text) {
        auto *l = new QLabel(QString::fromLatin1(text), page);
        l->setFont(captions);
        return l;
    };
    grid->addWidget(Knob1Picture, 0, 0, 1, 3, Qt::AlignCenter);
    grid->addWidget(Knob1Label, 1, 0, 1, 3);
    grid->addWidget(caption("dark"), 2, 0);
    grid->addWidget(caption("default"), 2, 1, Qt::AlignCenter);
    grid->addWidget(caption("bright"), 2, 2, Qt::AlignRight);
    grid->addWidget(Knob1, 3, 0, 1, 3);
    NightSourceChoice =
        new RadioGroup(QStringLiteral("Night screen (T)"),
                       {QStringLiteral("Car lights"), QStringLiteral("Sun"),
                        QStringLiteral("Always day"), QStringLiteral("Always night")},
                       4, page);
    NightSourceChoice->setFont(SkinFont::pixels(SkinFont::Sans, 16));
    grid->addWidget(NightSourceChoice, 4, 0, 1, 3);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget *OptionsScreen::buildDirs()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    auto row = [&](int r, const QString &caption, QLineEdit *&edit, QPushButton *&pick,
                   const QString &pickCaption) {
        grid->addWidget(new QLabel(caption, page), r, 0);
        edit = textField(page);
        grid->addWidget(edit, r, 1);
        pick = button(pickCaption, page);
        grid->addWidget(pick, r, 2);
    };
    row(0, QStringLiteral("MP3 File Path"), Mp3PathEdit, Button13,
        QStringLiteral("Pick a directory"));
    row(1, QStringLiteral("Movie file path"), MoviePathEdit, Button14,
        QStringLiteral("Pick a directory"));
    row(2, QStringLiteral("Alternative Drivers log path"), LogPathEdit, Button26,
        QStringLiteral("Pick a directory"));
    row(3, QStringLiteral("MP3 playing background"), Mp3BitmapEdit, Button15,
        QStringLiteral("Pick a BMP"));
    Mp3BitmapThumb = thumbnail(page);
    grid->addWidget(Mp3BitmapThumb, 4, 1, Qt::AlignLeft);
    ReturnButton = button(QStringLiteral("Return (long press Griffin)"), page);
    grid->addWidget(ReturnButton, 4, 2, Qt::AlignBottom);
    return page;
}

QWidget *OptionsScreen::buildGriffin()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *title = new QLabel(QStringLiteral("Rovana supports Griffin PowerMate"), page);
    title->setFont(SkinFont::pixels(SkinFont::Sans, 18, true));
    auto *picture = new QLabel(page);
    picture->setPixmap(knobSettingsPicture());
    auto *ask = new QLabel(
        QStringLiteral("Please set all user actions of the knob to \"SEND KEY\"."), page);
    auto *note = new QLabel(QStringLiteral("You will have to configure the settings as outlined "
                                           "above in the dialog that comes with the PowerMate "
                                           "Control Software !"),
                            page);
    note->setWordWrap(true);
    layout->addWidget(title);
    layout->addWidget(new QLabel(QStringLiteral("Supported Settings"), page));
    layout->addWidget(picture);
    layout->addWidget(ask);
    layout->addWidget(note);
    layout->addStretch();
    return page;
}

QWidget *OptionsScreen::buildExit()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    RadioGroup1 =
        new RadioGroup(QStringLiteral("When I select EXIT I want my PC to..."),
                       {QStringLiteral("Exit Rovana - return to Windows"),
                        QStringLiteral("Exit Rovana - return to Windows, start Explorer"),
                        QStringLiteral("Shutdown (\"it is now safe...\" screen !)"),
                        QStringLiteral("Shutdown with Power Off "), QStringLiteral("Standby"),
                        QStringLiteral("Hibernate (Make sure Windows settings match)")},
                       1, page);
    RadioGroup1->setFont(SkinFont::pixels(SkinFont::Sans, 16));
    layout->addWidget(RadioGroup1);
    layout->addStretch();
    return page;
}

QWidget *OptionsScreen::buildColor()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *swatches = new QHBoxLayout;
    for (size_t i = 0; i < cpx.size(); ++i) {
        cpx[i] = new ColourSwatch(SwatchDefaults[i], page);
        cpx[i]->setFixedSize(60, 60);
        swatches->addWidget(cpx[i]);
    }
    QStringList choices;
    for (int i = 1; i <= 10; ++i)
        choices << QString::number(i);
    MainColourChoice = new RadioGroup(QStringLiteral("Select main color"), choices, 10, page);
    layout->addLayout(swatches);
    layout->addWidget(MainColourChoice);
    layout->addStretch();
    return page;
}

QWidget *OptionsScreen::buildStart()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Main screen background image"), page), 0, 0);
    MainImageEdit = textField(page);
    grid->addWidget(MainImageEdit, 0, 1, 1, 2);
    MainImageThumb = thumbnail(page);
    grid->addWidget(MainImageThumb, 1, 0, 2, 1);
    Button21 = button(QStringLiteral("Select Next"), page);
    Button22 = button(QStringLiteral("Select Prev"), page);
    grid->addWidget(Button21, 1, 1);
    grid->addWidget(Button22, 2, 1);
    RadioGroup3 = new RadioGroup(QStringLiteral(" GPS Maus settings "), comPorts(), 3, page);
    GPSMouseEnabledBox = checkBox(QStringLiteral("&GPS Mouse enabled"), page);
    RadioGroup4 = new RadioGroup(QStringLiteral("Serial (CAN2COM)"), comPorts(), 3, page);
    CAN2COMEnabledBox = checkBox(QStringLiteral("CAN&2COM enabled"), page);
    grid->addWidget(RadioGroup3, 3, 0);
    grid->addWidget(GPSMouseEnabledBox, 4, 0);
    grid->addWidget(RadioGroup4, 3, 1);
    grid->addWidget(CAN2COMEnabledBox, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Alarm Sound"), page), 5, 0);
    Edit9 = textField(page);
    grid->addWidget(Edit9, 5, 1, 1, 2);
    return page;
}

QWidget *OptionsScreen::buildCan()
{
    m_canPage = new QWidget;
    return m_canPage;
}
