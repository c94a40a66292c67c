#include "CanLinkFixture.h"

#include "core/LongTimeFormat.h"
#include "support/TempDir.h"

#include <QFile>

namespace {

class LongTimeFormatGuard {
public:
    ~LongTimeFormatGuard()
    {
        LongTimeFormat::setPattern(QString::fromLatin1(LongTimeFormat::Seconds));
    }
};

} // namespace

TEST(CanTrace, LinesAreTheLongTimeASpaceAndTheMessage)
{
    LongTimeFormatGuard guard;
    QPlainTextEdit memo;
    CanTrace trace(memo, [] { return QTime(7, 5, 9); });
    trace.AddTrace(QStringLiteral("Ignition Key 2"));
    // Between a clock step of the drivers log and the next clock tick.
    LongTimeFormat::setPattern(QString::fromLatin1(LongTimeFormat::Minutes));
    trace.AddTrace(QStringLiteral("Light Park "));
    EXPECT_EQ(trace.lines(), (QStringList{"07:05:09 Ignition Key 2", "07:05 Light Park "}));
    EXPECT_EQ(memo.toPlainText(), "07:05:09 Ignition Key 2\n07:05 Light Park ");
}

TEST(CanTrace, WithoutAClockTheTimeOfDayIsUsed)
{
    QPlainTextEdit memo;
    CanTrace trace(memo);
    const QTime before = QTime::currentTime();
    trace.AddTrace(QStringLiteral("x"));
    const QString line = trace.lines().value(0);
    ASSERT_EQ(line.size(), 10);
    const QTime stamped = QTime::fromString(line.left(8), QStringLiteral("hh:mm:ss"));
    ASSERT_TRUE(stamped.isValid());
    EXPECT_LE(qAbs(before.secsTo(stamped)), 2);
    EXPECT_EQ(line.mid(8), " x");
}

TEST(CanTrace, AFullTraceIsEmptiedAndTheLineIsLost)
{
    QPlainTextEdit memo;
    CanTrace trace(
        memo, [] { return QTime(1, 2, 3); }, 40);
    trace.AddTrace(QStringLiteral("first"));  // 14 characters and a line end
    trace.AddTrace(QStringLiteral("second")); // 15 and a line end
    EXPECT_EQ(trace.lines().size(), 2);
    trace.AddTrace(QStringLiteral("third"));
    EXPECT_TRUE(trace.lines().isEmpty());
    trace.AddTrace(QStringLiteral("fourth"));
    EXPECT_EQ(trace.lines(), QStringList{"01:02:03 fourth"});
}

// At its own capacity: 64 KiB of text, then the next line empties the trace and is lost;
// "Save TRACE" writes what the trace holds from then on.
TEST(CanTrace, TheTraceHoldsSixtyFourKibibytesThenIsEmptied)
{
    TempDir dir;
    QPlainTextEdit memo;
    CanTrace trace(memo, [] { return QTime(10, 0, 0); });
    const QString message = QStringLiteral("Light Lower "); // 21 characters and a line end
    const qsizetype fits = CanTrace::DefaultCapacity / 22;
    ASSERT_EQ(CanTrace::DefaultCapacity, 64 * 1024);
    for (qsizetype i = 0; i < fits; ++i)
        trace.AddTrace(message);
    ASSERT_EQ(trace.lines().size(), fits);
    EXPECT_LE(memo.document()->characterCount(), CanTrace::DefaultCapacity);
    trace.AddTrace(QStringLiteral("Light Upper ")); // the one that no longer fits
    EXPECT_TRUE(trace.lines().isEmpty());
    trace.AddTrace(QStringLiteral("Light Park "));
    EXPECT_EQ(trace.save(dir.file("auditrace.txt")), "");
    EXPECT_EQ(dir.read("auditrace.txt"), "10:00:00 Light Park \r\n");
}

TEST(CanTrace, SaveWritesEveryLineWithCarriageReturnAndLineFeedReplacingTheFile)
{
    TempDir dir;
    const QString path = dir.write("auditrace.txt", "an older and much longer trace\r\n\r\n\r\n");
    QPlainTextEdit memo;
    CanTrace trace(memo, [] { return QTime(23, 59, 1); });
    trace.AddTrace(QStringLiteral("D"));
    trace.AddTrace(QStringLiteral("Car ID is WAUZZZ4E56N012345"));
    EXPECT_EQ(trace.save(path), "");
    EXPECT_EQ(dir.read("auditrace.txt"), "23:59:01 D\r\n23:59:01 Car ID is WAUZZZ4E56N012345\r\n");
    EXPECT_EQ(trace.lines().size(), 2);
}

TEST(CanTrace, AnEmptyTraceSavesAnEmptyFile)
{
    TempDir dir;
    QPlainTextEdit memo;
    CanTrace trace(memo);
    trace.AddTrace(QStringLiteral("D"));
    trace.clear();
    EXPECT_EQ(trace.save(dir.file("auditrace.txt")), "");
    EXPECT_TRUE(QFile::exists(dir.file("auditrace.txt")));
    EXPECT_EQ(dir.read("auditrace.txt"), "");
}

TEST(CanTrace, AnUnwritablePathGivesThePlatformsTextAndKeepsTheTrace)
{
    TempDir dir;
    QPlainTextEdit memo;
    CanTrace trace(memo);
    trace.AddTrace(QStringLiteral("D"));
    const QString error = trace.save(dir.file("missing/auditrace.txt"));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(trace.lines().size(), 1);
}

class TraceButtonsTest : public CanLinkTest {
protected:
    TraceButtonsTest()
    {
        link.reset(); // the fixture's link lets go of the port first
        link = std::make_unique<Can2ComLink>(Can2ComLink::Wiring{
            port, page, trace, canLabel, [this] { return mainColour; }, [this] { return enabled; },
            [this](const QString &line) { sysMemo << line; },
            [this](quint16 &key) { dispatcher.FormKeyDown(key); },
            [this](const QString &text) { messages << text; }, dir.file("auditrace.txt"),
            clock.factory()});
    }
    TempDir dir;
};

TEST_F(TraceButtonsTest, SaveTraceWritesTheFileAndClearTraceEmptiesTheTrace)
{
    receive("1003\r1601\r");
    emit page.BitBtn14->clicked();
    EXPECT_EQ(dir.read("auditrace.txt"),
              "12:34:56 Ignition Key 2\r\n12:34:56 Wheel Status is CAN_WheelButton_left_up \r\n");
    emit page.BitBtn15->clicked();
    EXPECT_TRUE(traceLines().isEmpty());
    emit page.BitBtn14->clicked();
    EXPECT_EQ(dir.read("auditrace.txt"), "");
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(TraceButtonsTest, AFailedSaveShowsThePlatformsTextInAMessageBox)
{
    dir.mkdir("auditrace.txt"); // a directory where the file should go
    receive("1003\r");
    emit page.BitBtn14->clicked();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_FALSE(messages[0].isEmpty());
    EXPECT_EQ(traceLines().size(), 1);
}
