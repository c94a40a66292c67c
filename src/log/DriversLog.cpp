#include "log/DriversLog.h"

#include "core/LongTimeFormat.h"
#include "core/PositionSource.h"
#include "core/Screen.h"
#include "core/ScreenHost.h"
#include "core/SharedValues.h"
#include "log/DriversLogScreen.h"
#include "log/LogFileWriter.h"
#include "log/LogLine.h"
#include "log/LogPanel.h"
#include "log/MapScreen.h"
#include "platform/SystemClock.h"
#include "widgets/ArrowSymbol.h"
#include "widgets/PanelButton.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

#include <cmath>

namespace {
const QString Driverslog = QStringLiteral("driverslog/");

QString withSeparator(const QString &dir)
{
    return dir.endsWith(QLatin1Char('/')) ? dir : dir + QLatin1Char('/');
}

bool sameDirectory(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    if (!ca.isEmpty())
        return ca == QFileInfo(b).canonicalFilePath();
    return QDir::cleanPath(QDir(a).absolutePath()) == QDir::cleanPath(QDir(b).absolutePath());
}
} // namespace

DriversLog::DriversLog(Context context, QObject *parent)
    : QObject(parent), m_context(std::move(context))
{
    m_logTimer.setInterval(LogInterval);
    connect(&m_logTimer, &QTimer::timeout, this, &DriversLog::LogTimerTimer);

    DriversLogScreen &s = m_context.screen;
    connect(s.Panel88, &PanelButton::clicked, this, &DriversLog::Panel88Click);
    connect(s.Panel96, &ArrowSymbol::clicked, this, &DriversLog::Panel88Click);
    connect(s.Panel90, &PanelButton::clicked, this, &DriversLog::Panel90Click);
    connect(s.Panel89, &PanelButton::clicked, this, &DriversLog::Panel89Click);
    connect(s.Panel91, &PanelButton::clicked, this, &DriversLog::Panel91Click);
    connect(s.DriversLogPanel, &LogPanel::clicked, this, &DriversLog::DriversLogPanelClick);
    connect(s.DriversLogPanel, &LogPanel::doubleClicked, this,
            &DriversLog::DriversLogPanelDblClick);
    m_context.positions.subscribe([this](const Fix &fix) {
        if (fix.valid)
            showOdometer(m_context.shared.TripKm);
    });
}

QString DriversLog::testSentences()
{
    return QStringLiteral("$GPGGA,211819,5118.900,N,00715.9690,E,1,06,01.5,00153.0,M,086.0,M,,*42"
                          "\r\n"
                          "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68");
}

void DriversLog::trace(const QString &message) const
{
    if (m_context.trace)
        m_context.trace(message);
}

// --- automatic entries -----------------------------------------------------------------

void DriversLog::LogTimerTimer()
{
    const SharedValues &s = m_context.shared;
    if (!s.MapAvailable || !s.BusinessMode)
        return;
    const QString place = m_context.map.CentreOnCar(s.gps.DecimalLatitude, s.gps.DecimalLongitude);
    // A look-up that failed found no place; it must not become an entry without one.
    if (place.isEmpty())
        return;
    PanelButton *status = m_context.screen.Panel92;
    if (status->text() == place)
        return;
    status->setText(place);
    if (place == QLatin1String("n/a") || place == LastLoggedPlace)
        return;
    LastLoggedPlace = place;
    WriteLogEntry(QString());
}

QString DriversLog::primaryDirectory() const
{
    return withSeparator(m_context.programDir) + Driverslog;
}

QString DriversLog::dualDirectory() const
{
    const QString dual = m_context.dualPath ? m_context.dualPath() : QString();
    return dual.isEmpty() ? QString() : withSeparator(dual) + Driverslog;
}

void DriversLog::WriteLogEntry(const QString &note)
{
    const QDateTime now = m_context.clock.now();
    const QString fileName = LogLine::fileName(now.date());
    const DriversLogScreen &screen = m_context.screen;
    const QString line = LogLine::compose(
        LogLine::weekday(now.date()), QLocale().toString(now.date(), QLocale::ShortFormat),
        LongTimeFormat::format(now.time()), screen.Panel97->text(), screen.Panel92->text(), note);

    const QString primary = primaryDirectory();
    LogPrimaryFile = primary + fileName;
    // The list takes the line once the file is open, before it is written: a full list
    // is emptied, and the file keeps every entry.
    LogFileWriter::append(
        primary, fileName, line, LogFileWriter::Primary, [this](const QString &t) { trace(t); },
        [&] {
            if (!m_context.screen.addLogLine(line))
                trace(QStringLiteral(
                    "Short on memory, log flush forced, log still complete on file "));
        });

    // The second copy comes after the primary file, so its failure can't touch it.
    const QString dual = dualDirectory();
    // A second path naming the program directory would write every entry twice into
    // the one file: that is no second copy.
    if (dual.isEmpty() || sameDirectory(dual, primary)) {
        trace(QStringLiteral("Dual logging not active !"));
        return;
    }
    LogDualFile = dual + fileName;
    LogFileWriter::append(dual, fileName, line, LogFileWriter::Dual,
                          [this](const QString &t) { trace(t); });
}

// --- the menu ------------------------------------------------------------------------

void DriversLog::Panel88Click() { m_context.screens.showScreen(Screen::SetLog); }

void DriversLog::Panel90Click()
{
    PanelButton *mode = m_context.screen.Panel94;
    const bool business = mode->text() != Business;
    m_context.shared.BusinessMode = business;
    mode->setText(business ? Business : Private);
    if (m_context.showIndicator)
        m_context.showIndicator(business);
    if (m_context.saveSettings)
        m_context.saveSettings();
}

void DriversLog::showPrivateMode()
{
    m_context.shared.BusinessMode = false;
    m_context.screen.Panel94->setText(Private);
    if (m_context.showIndicator)
        m_context.showIndicator(false);
}

void DriversLog::ClockStepForward() { stepClock(+1); }

void DriversLog::ClockStepBack() { stepClock(-1); }

// Minutes wrap within the hour and carry into the hour, never into the date: a step
// out of the day is an invalid time, and the clock stays.
void DriversLog::stepClock(int delta)
{
    SystemClock &clock = m_context.clock;
    const QDateTime now = clock.now();
    const QTime t = now.time();
    int hour = t.hour();
    int minute = t.minute() + delta;
    if (minute > 59) {
        minute = 0;
        ++hour;
    } else if (minute < 0) {
        minute = 59;
        --hour;
    }
    if (hour >= 0 && hour <= 23)
        clock.shift(now.msecsTo(QDateTime(now.date(), QTime(hour, minute, t.second(), t.msec()))));
    // Hours and minutes only until the next clock tick.
    LongTimeFormat::setPattern(QString::fromLatin1(LongTimeFormat::Minutes));
    m_context.screen.Panel95->setText(LongTimeFormat::format(clock.now().time()));
}

void DriversLog::correctOdometer(int delta)
{
    PanelButton *odometer = m_context.screen.Panel97;
    bool ok = false;
    const qint64 km = odometer->text().toLongLong(&ok);
    if (!ok)
        return;
    odometer->setText(QString::number(km + delta));
    m_context.shared.TripKm += delta;
}

void DriversLog::showOdometer(double km)
{
    const double whole = std::isfinite(km) ? std::trunc(km) : 0.0;
    m_context.screen.Panel97->setText(QString::number(qint64(qBound(-9e15, whole, 9e15))));
}

// --- the map and the test inputs -------------------------------------------------------

void DriversLog::mapCreated(bool ok)
{
    m_context.shared.MapAvailable = ok;
    m_context.screen.showPanel(ok);
    if (!ok) {
        m_context.screen.Panel92->setText(MapMissing);
        return;
    }
    // A map that took its time arrives while the page may already show.
    if (m_context.screens.activeScreen() == Screen::Log_select)
        m_context.screen.focusShowMap();
}

void DriversLog::DriversLogPanelClick()
{
    if (m_nmea)
        m_nmea(testSentences());
}

void DriversLog::DriversLogPanelDblClick() { WriteLogEntry(QString()); }
