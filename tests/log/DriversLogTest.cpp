#include "core/LongTimeFormat.h"
#include "log/LogbookFixture.h"
#include "log/LogFileWriter.h"
#include "log/LogPanel.h"
#include "widgets/CarMarker.h"
#include "widgets/ListRowsView.h"
#include "widgets/PanelButton.h"

#include <QFile>
#include <QTest>

namespace {

using LogbookTest = LogbookFixture;

const QString Street = QStringLiteral("Kirchweg 3, Köln");
const QString Other = QStringLiteral("Domplatz, Aachen");

int count(const QStringList &lines, const QString &text)
{
    return int(std::count(lines.begin(), lines.end(), text));
}

} // namespace

TEST_F(LogbookTest, NothingIsWrittenInPrivateMode)
{
    mapScreen->CreateMap();
    ASSERT_TRUE(shared.MapAvailable);
    driveTo(51.1, Street);
    EXPECT_TRUE(map.calls.filter("centre").isEmpty());
    EXPECT_TRUE(screen->lines().isEmpty());
    EXPECT_FALSE(QFile::exists(primaryFile()));
}

TEST_F(LogbookTest, NothingIsWrittenBeforeTheDriversLogWasOpened)
{
    log->Panel90Click(); // business, but the map was never made
    driveTo(51.1, Street);
    EXPECT_TRUE(map.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(primaryFile()));
}

TEST_F(LogbookTest, ComingBackToTheLastPlaceThroughNowhereLogsOnce)
{
    openInBusinessMode();
    driveTo(51.1, Street);
    EXPECT_EQ(screen->Panel92->text(), Street);
    driveTo(51.2); // nothing found there
    EXPECT_EQ(screen->Panel92->text(), "n/a");
    driveTo(51.1);
    EXPECT_EQ(fileLines(primaryFile()).size(), 1);
    driveTo(51.3, Other);
    const QStringList lines = fileLines(primaryFile());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].endsWith("DOMPLATZ, AACHEN,"));
    EXPECT_EQ(log->LastLoggedPlace, Other);
    EXPECT_EQ(screen->lines(), lines);
}

TEST_F(LogbookTest, EachTickCentresOnTheCarAtTheZoom)
{
    openInBusinessMode();
    mapScreen->ZoomFactor = 4;
    driveTo(51.1, Street);
    EXPECT_TRUE(map.calls.contains("centre 51.1 7 4"));
    EXPECT_TRUE(map.calls.contains("place 51.1 7"));
    EXPECT_FALSE(mapScreen->CarPosition->isHidden());
}

TEST_F(LogbookTest, TheSamePlaceTwiceIsOneEntry)
{
    openInBusinessMode();
    driveTo(51.1, Street);
    driveTo(51.1);
    EXPECT_EQ(fileLines(primaryFile()).size(), 1);
}

TEST_F(LogbookTest, AFailedLookUpIsNoPlace)
{
    openInBusinessMode();
    driveTo(51.1, Street);
    map.failing = true;
    driveTo(51.2);
    EXPECT_EQ(screen->Panel92->text(), Street);
    EXPECT_EQ(fileLines(primaryFile()).size(), 1);
}

TEST_F(LogbookTest, TheEntryLineOfAKnownMonday)
{
    openInBusinessMode();
    log->showOdometer(88893.7);
    driveTo(51.1, QStringLiteral("Kirchweg 3, Köln-mülheim"));
    const QString expected =
        QStringLiteral("Monday,12/6/04,14:34:05,88893,KIRCHWEG 3, KöLN-MüLHEIM,");
    EXPECT_EQ(fileLines(primaryFile()), QStringList{expected});
    EXPECT_EQ(screen->lines(), QStringList{expected});
    EXPECT_EQ(log->LogPrimaryFile, primaryFile());
}

TEST_F(LogbookTest, WithoutASecondPathTheEntrySaysSo)
{
    openInBusinessMode();
    driveTo(51.1, Street);
    const QStringList expected{primaryFile() + " newly created", "Dual logging not active !"};
    EXPECT_EQ(traces, expected);
}

TEST_F(LogbookTest, BothCopiesGetTheSameLine)
{
    dualPath = dualRoot.path() + "log"; // without a separator at its end
    openInBusinessMode();
    driveTo(51.1, Street);
    driveTo(51.3, Other);
    const QString dual = dualRoot.path() + "log/driverslog/12-2004.LOG";
    EXPECT_EQ(fileLines(dual), fileLines(primaryFile()));
    EXPECT_EQ(fileLines(dual).size(), 2);
    EXPECT_EQ(log->LogDualFile, dual);
    EXPECT_EQ(traces,
              (QStringList{primaryFile() + " newly created", dual + " dual log newly created",
                           primaryFile() + " found, appending log records...",
                           dual + " found as dual log, appending log records..."}));
}

// The program directory named as the second path too, however written: one line an
// entry in the one file.
TEST_F(LogbookTest, ASecondPathThatIsTheProgramDirectoryWritesEachEntryOnce)
{
    openInBusinessMode();
    for (const QString &same :
         {programDir.path(), programDir.path() + "./", programDir.path() + "driverslog/.."}) {
        QFile::remove(primaryFile());
        dualPath = same;
        log->LastLoggedPlace.clear();
        traces.clear();
        driveTo(51.1, Street);
        driveTo(51.3, Other);
        EXPECT_EQ(fileLines(primaryFile()).size(), 2) << same.toStdString();
        EXPECT_EQ(count(traces, "Dual logging not active !"), 2) << same.toStdString();
        driveTo(51.2); // nowhere, so that the next round logs its first place again
    }
}

TEST_F(LogbookTest, ANewMonthStartsANewFileAndKeepsTheOldOne)
{
    programDir.write("driverslog/12-2004.LOG", "Friday,12/3/04,08:00:00,88000,OLD,\r\n");
    openInBusinessMode();
    driveTo(51.1, Street);
    clock.set(QDateTime(QDate(2005, 1, 3), QTime(9, 0, 0)));
    driveTo(51.3, Other);
    EXPECT_EQ(fileLines(primaryFile()).size(), 2);
    EXPECT_EQ(fileLines(primaryFile())[0], "Friday,12/3/04,08:00:00,88000,OLD,");
    EXPECT_EQ(fileLines(primaryFile("1-2005.LOG")).size(), 1);
    EXPECT_EQ(count(traces, primaryFile("1-2005.LOG") + " newly created"), 1);
    EXPECT_EQ(count(traces, primaryFile() + " found, appending log records..."), 1);
}

TEST_F(LogbookTest, ASecondCopyThatCantBeWrittenLeavesThePrimaryComplete)
{
    dualRoot.write("blocked", "a file, not a directory");
    dualPath = dualRoot.path() + "blocked";
    openInBusinessMode();
    driveTo(51.1, Street);
    driveTo(51.3, Other);
    EXPECT_EQ(fileLines(primaryFile()).size(), 2);
    EXPECT_EQ(screen->lines().size(), 2);
    const QString dual = dualPath + "/driverslog/12-2004.LOG";
    EXPECT_EQ(traces.filter(" cannot open " + dual).size(), 2);
    EXPECT_EQ(traces.filter(" cannot write " + dual).size(), 2);
}

TEST_F(LogbookTest, APrimaryThatCantBeWrittenStillGetsTheSecondCopyAndTheList)
{
    programDir.write("driverslog", "a file where the directory belongs");
    dualPath = dualRoot.path();
    openInBusinessMode();
    driveTo(51.1, Street);
    EXPECT_EQ(fileLines(dualRoot.path() + "driverslog/12-2004.LOG").size(), 1);
    EXPECT_EQ(screen->lines().size(), 1);
    EXPECT_EQ(traces.filter(" cannot open " + primaryFile()).size(), 1);
}

TEST_F(LogbookTest, TheTimeFieldFollowsTheLongTimeFormat)
{
    openInBusinessMode();
    LongTimeFormat::setPattern(LongTimeFormat::Minutes);
    log->WriteLogEntry("");
    LongTimeFormat::setPattern(LongTimeFormat::Seconds);
    log->WriteLogEntry("");
    const QStringList lines = fileLines(primaryFile());
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("Monday,12/6/04,14:34,")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Monday,12/6/04,14:34:05,")) << lines[1].toStdString();
}

TEST_F(LogbookTest, ModeToggleShowsSavesAndReturns)
{
    log->Panel90Click();
    EXPECT_TRUE(shared.BusinessMode);
    EXPECT_EQ(screen->Panel94->text(), "Mode is BUSINESS");
    EXPECT_TRUE(indicator);
    EXPECT_EQ(saves, 1);
    log->Panel90Click();
    EXPECT_FALSE(shared.BusinessMode);
    EXPECT_EQ(screen->Panel94->text(), "Mode is PRIVATE");
    EXPECT_FALSE(indicator);
    EXPECT_EQ(saves, 2);
}

TEST_F(LogbookTest, OdometerCorrection)
{
    log->showOdometer(0);
    log->correctOdometer(-1);
    EXPECT_EQ(screen->Panel97->text(), "-1");
    EXPECT_DOUBLE_EQ(shared.TripKm, -1.0);
    log->correctOdometer(+1);
    log->correctOdometer(+1);
    EXPECT_EQ(screen->Panel97->text(), "1");
    EXPECT_DOUBLE_EQ(shared.TripKm, 1.0);
    screen->Panel97->setText("12a");
    log->correctOdometer(+1);
    EXPECT_EQ(screen->Panel97->text(), "12a");
    EXPECT_DOUBLE_EQ(shared.TripKm, 1.0);
}

TEST_F(LogbookTest, OdometerShowsWholeKilometres)
{
    log->showOdometer(1234.9);
    EXPECT_EQ(screen->Panel97->text(), "1234");
    log->showOdometer(-0.5);
    EXPECT_EQ(screen->Panel97->text(), "0");
}

TEST_F(LogbookTest, ClockStepsStayInsideTheDay)
{
    clock.set(QDateTime(QDate(2004, 12, 6), QTime(23, 59, 30)));
    log->ClockStepForward();
    EXPECT_EQ(clock.now().time(), QTime(23, 59, 30));
    EXPECT_EQ(screen->Panel95->text(), "23:59");
    EXPECT_EQ(LongTimeFormat::pattern(), "hh:mm");

    clock.set(QDateTime(QDate(2004, 12, 6), QTime(10, 0, 37, 250)));
    log->ClockStepBack();
    EXPECT_EQ(clock.now(), QDateTime(QDate(2004, 12, 6), QTime(9, 59, 37, 250)));
    EXPECT_EQ(screen->Panel95->text(), "09:59");

    clock.set(QDateTime(QDate(2004, 12, 6), QTime(0, 0, 1)));
    log->ClockStepBack();
    EXPECT_EQ(clock.now().time(), QTime(0, 0, 1));

    clock.set(QDateTime(QDate(2004, 12, 6), QTime(8, 59, 1)));
    log->ClockStepForward();
    EXPECT_EQ(clock.now(), QDateTime(QDate(2004, 12, 6), QTime(9, 0, 1)));
    LongTimeFormat::setPattern(LongTimeFormat::Seconds);
}

TEST_F(LogbookTest, ARefusedClockIsIgnored)
{
    clock.refuse(true);
    log->ClockStepForward();
    EXPECT_EQ(clock.requests().size(), 1);
    EXPECT_EQ(clock.now().time(), QTime(14, 34, 5));
    EXPECT_EQ(screen->Panel95->text(), "14:34");
    LongTimeFormat::setPattern(LongTimeFormat::Seconds);
}

TEST_F(LogbookTest, ListShowsTheNewestLineOnItsLastPage)
{
    for (int i = 0; i < 20; ++i)
        screen->addLogLine(QString::number(i));
    EXPECT_EQ(screen->logTopIndex(), 20 - screen->loglist->visibleRows());
    screen->clearLog();
    screen->addLogLine("only");
    EXPECT_EQ(screen->logTopIndex(), 0);
}

TEST_F(LogbookTest, ClickFeedsTheTestFixAndDoubleClickAlsoWrites)
{
    QStringList fed;
    log->setNmeaInput([&](const QString &text) { fed << text; });
    mapScreen->CreateMap();
    window.show();
    const QPoint free(20, 20);
    QTest::mouseClick(screen->DriversLogPanel, Qt::LeftButton, {}, free);
    ASSERT_EQ(fed.size(), 1);
    EXPECT_EQ(fed[0], "$GPGGA,211819,5118.900,N,00715.9690,E,1,06,01.5,00153.0,M,086.0,M,,*42\r\n"
                      "$GPRMC,211819,A,4916.45,N,12311.12,W,090.0,054.7,191194,020.3,E*68");
    EXPECT_FALSE(QFile::exists(primaryFile()));
    // A double click as the window system delivers it: a click, then the double click.
    QTest::mouseClick(screen->DriversLogPanel, Qt::LeftButton, {}, free);
    QTest::mouseDClick(screen->DriversLogPanel, Qt::LeftButton, {}, free);
    EXPECT_EQ(fed.size(), 2);
    EXPECT_EQ(fileLines(primaryFile()).size(), 1);
}

// The list holds LogListCapacity entries; the next finds it full: the list is emptied,
// the trace says so, and the month's file still has every entry.
TEST_F(LogbookTest, AFullListIsEmptiedWithTheTraceAndTheFileStaysComplete)
{
    const int capacity = int(DriversLogScreen::LogListCapacity);
    for (int i = 0; i < capacity; ++i) {
        log->showOdometer(i);
        log->WriteLogEntry(QString());
    }
    ASSERT_EQ(screen->lines().size(), capacity);
    EXPECT_EQ(screen->lines().last(), fileLines(primaryFile()).last());
    EXPECT_EQ(count(traces, "Short on memory, log flush forced, log still complete on file "), 0);

    traces.clear();
    log->showOdometer(capacity);
    log->WriteLogEntry(QString());
    EXPECT_TRUE(screen->lines().isEmpty());
    EXPECT_EQ(screen->logTopIndex(), 0);
    EXPECT_EQ(traces, (QStringList{primaryFile() + " found, appending log records...",
                                   "Short on memory, log flush forced, log still complete on file ",
                                   "Dual logging not active !"}));

    log->showOdometer(capacity + 1);
    log->WriteLogEntry(QString());
    const QStringList file = fileLines(primaryFile());
    ASSERT_EQ(file.size(), capacity + 2);
    for (int i = 0; i < capacity + 2; ++i)
        ASSERT_EQ(file[i].section(',', 3, 3), QString::number(i)) << "entry " << i;
    EXPECT_EQ(screen->lines(), QStringList{file.last()});
}
