#include "app/ShutdownSaver.h"
#include "platform/LogindInhibitor.h"
#include "platform/TerminationSignals.h"
#include "support/DbusMock.h"
#include "support/LogindInhibitors.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include <csignal>

// logind is python3-dbusmock's template on a private bus; the termination signals are
// raised in-process, with the handlers of the object under test installed.
namespace {

constexpr int BusBoundMs = 10000; // a real peer on a busy machine; reached on failure only
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");

struct Record {
    QStringList saves; // the locks logind held at each save
    int quits = 0;
    QStringList messages;
};

ShutdownSaver::Actions actionsFor(Record &record, const DbusMock *logind)
{
    return {[&record, logind] {
                record.saves << (logind ? logindInhibitors(*logind).join(QLatin1Char('|'))
                                        : QStringLiteral("saved"));
            },
            [&record] { ++record.quits; },
            [&record](const QString &line) {
                record.messages << line;
            }};
}

TEST(ShutdownSaverTest, ShutdownAndSleepSaveWhileTheLockHoldsThenLetItGo)
{
    if (!DbusMock::available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    DbusMock logind("logind", "org.freedesktop.login1", "{}");
    ASSERT_TRUE(logind.ready());
    TerminationSignals termination;
    LogindInhibitor inhibitor(logind.bus(), "Rovana", "saving");
    QSignalSpy taken(&inhibitor, &LogindInhibitor::lockTaken);
    Record record;
    ShutdownSaver saver(termination, inhibitor, actionsFor(record, &logind));
    ASSERT_TRUE(taken.wait(BusBoundMs)) << "the lock is asked for at once";
    const QString lock = QStringLiteral("shutdown:sleep Rovana saving delay");

    // Suspended with the key turned; the car starts again.
    ASSERT_TRUE(logind.emitSignal(Manager, "PrepareForSleep", "b", {true}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return record.saves.size() == 1; }, BusBoundMs));
    EXPECT_EQ(record.saves[0], lock);
    EXPECT_TRUE(QTest::qWaitFor([&] { return logindInhibitors(logind).isEmpty(); }, BusBoundMs));
    ASSERT_TRUE(logind.emitSignal(Manager, "PrepareForSleep", "b", {false}));
    ASSERT_TRUE(taken.wait(BusBoundMs));

    // Switched off for good.
    ASSERT_TRUE(logind.emitSignal(Manager, "PrepareForShutdown", "b", {true}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return record.saves.size() == 2; }, BusBoundMs));
    EXPECT_EQ(record.saves[1], lock);
    EXPECT_TRUE(QTest::qWaitFor([&] { return logindInhibitors(logind).isEmpty(); }, BusBoundMs));
    // logind ends the program with a signal of its own; going down is not ours to do.
    EXPECT_EQ(record.quits, 0);
    EXPECT_TRUE(record.messages.isEmpty());
}

TEST(ShutdownSaverTest, ATerminationSignalSavesAndEndsOnce)
{
    const QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/rovana-bus"), QStringLiteral("rovana-no-bus-saver"));
    TerminationSignals termination;
    ASSERT_TRUE(termination.valid());
    LogindInhibitor inhibitor(none, "Rovana", "saving");
    Record record;
    ShutdownSaver saver(termination, inhibitor, actionsFor(record, nullptr));
    // Without a system bus: said once, and no lock.
    EXPECT_EQ(record.messages, QStringList{ShutdownSaver::NoSystemBus});

    QSignalSpy received(&termination, &TerminationSignals::received);
    ::raise(SIGTERM);
    EXPECT_TRUE(record.saves.isEmpty()) << "nothing is saved inside the handler";
    ASSERT_TRUE(QTest::qWaitFor([&] { return record.quits == 1; }, BusBoundMs));
    EXPECT_EQ(record.saves, QStringList{"saved"});
    // Ctrl-C while going down changes nothing.
    ::raise(SIGINT);
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.count() == 2; }, BusBoundMs));
    EXPECT_EQ(record.saves.size(), 1);
    EXPECT_EQ(record.quits, 1);
    EXPECT_EQ(record.messages.size(), 1);
}

TEST(ShutdownSaverTest, ASystemBusWithoutLogindIsSaidOnce)
{
    if (!DbusMock::available())
        GTEST_SKIP() << "dbus-daemon is not installed";
    // The timedated mock's bus: a system bus, but no logind on it.
    DbusMock timedated("timedated", "org.freedesktop.timedate1", "{}");
    ASSERT_TRUE(timedated.ready());
    TerminationSignals termination;
    LogindInhibitor inhibitor(timedated.bus(), "Rovana", "saving");
    QSignalSpy refused(&inhibitor, &LogindInhibitor::lockRefused);
    Record record;
    ShutdownSaver saver(termination, inhibitor, actionsFor(record, nullptr));
    ASSERT_TRUE(refused.wait(BusBoundMs));
    inhibitor.acquire();
    ASSERT_TRUE(refused.wait(BusBoundMs));
    ASSERT_EQ(record.messages.size(), 1);
    EXPECT_TRUE(record.messages[0].startsWith(ShutdownSaver::NoLock))
        << record.messages[0].toStdString();
}

} // namespace
