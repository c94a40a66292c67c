#include "platform/LogindInhibitor.h"
#include "support/DbusMock.h"
#include "support/LogindInhibitors.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

// The logind of these tests is python3-dbusmock's template on a private bus.
namespace {

constexpr int BusBoundMs = 10000; // a real peer on a busy machine; reached on failure only
const QString Manager = QStringLiteral("org.freedesktop.login1.Manager");
const QString Lock = QStringLiteral("shutdown:sleep Rovana saving delay");

class LogindInhibitorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DbusMock::available())
            GTEST_SKIP() << "dbus-daemon is not installed";
        logind = std::make_unique<DbusMock>("logind", "org.freedesktop.login1", "{}");
        ASSERT_TRUE(logind->ready());
    }
    bool locksAre(const QStringList &expected)
    {
        return QTest::qWaitFor([&] { return logindInhibitors(*logind) == expected; }, BusBoundMs);
    }
    void announce(const QString &name, bool start)
    {
        ASSERT_TRUE(logind->emitSignal(Manager, name, "b", {start}));
    }

    std::unique_ptr<DbusMock> logind;
};

TEST_F(LogindInhibitorTest, TheDelayLockIsHeldUntilThePreparationsHaveRunAndTakenAgainOnWaking)
{
    LogindInhibitor inhibitor(logind->bus(), "Rovana", "saving");
    QSignalSpy taken(&inhibitor, &LogindInhibitor::lockTaken);
    QStringList heldWhilePreparing;
    QObject::connect(&inhibitor, &LogindInhibitor::preparing, [&](bool shutdown) {
        heldWhilePreparing << QStringLiteral("%1 %2").arg(shutdown).arg(inhibitor.holdsLock());
    });
    ASSERT_TRUE(inhibitor.hasBus());
    EXPECT_FALSE(inhibitor.holdsLock());
    inhibitor.acquire();
    ASSERT_TRUE(taken.wait(BusBoundMs));
    EXPECT_TRUE(inhibitor.holdsLock());
    EXPECT_TRUE(locksAre({Lock}));

    for (const char *name : {"PrepareForSleep", "PrepareForShutdown"}) {
        SCOPED_TRACE(name);
        announce(name, true);
        EXPECT_TRUE(locksAre({})) << "logind would wait for its delay to run out";
        EXPECT_FALSE(inhibitor.holdsLock());
        // Awake again, or the shutdown called off: held again for the next time.
        announce(name, false);
        EXPECT_TRUE(taken.wait(BusBoundMs));
        EXPECT_TRUE(locksAre({Lock}));
    }
    EXPECT_EQ(heldWhilePreparing, QStringList({"0 1", "1 1"}));
}

TEST(LogindInhibitorWithoutBusTest, NoBusNoLockAndNoAnswerAwaited)
{
    const QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/rovana-bus"), QStringLiteral("rovana-no-bus-lock"));
    LogindInhibitor inhibitor(none, "Rovana", "saving");
    QSignalSpy refused(&inhibitor, &LogindInhibitor::lockRefused);
    EXPECT_FALSE(inhibitor.hasBus());
    inhibitor.acquire();
    EXPECT_FALSE(inhibitor.holdsLock());
    QCoreApplication::processEvents();
    EXPECT_EQ(refused.count(), 0);
}

} // namespace
