#include "platform/LogindPowerManager.h"
#include "app/ExitSequence.h"
#include "platform/LogindResumeWatch.h"
#include "support/DbusMock.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

// The logind of these tests is python3-dbusmock's template on a private bus that each
// test starts and stops: a real D-Bus peer, and the machine's own power stays untouched.
namespace {

class LogindMock : public DbusMock {
public:
    explicit LogindMock(const QByteArray &parameters)
        : DbusMock(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"), parameters)
    {
        // The template has no Halt; add it the way the mock offers.
        m_ready = DbusMock::ready() && call("org.freedesktop.DBus.Mock", "AddMethod",
                                            {"org.freedesktop.login1.Manager", "Halt", "b", "", ""})
                                               .type() == QDBusMessage::ReplyMessage;
    }

    bool ready() const { return m_ready; }
    // The methods called so far, with their arguments: "Suspend False".
    QStringList calls() const
    {
        QStringList result;
        for (const QString &call : DbusMock::calls())
            if (!call.startsWith("Add"))
                result << call;
        return result;
    }

    // logind's signal before (true) and after (false) a sleep.
    bool prepareForSleep(bool going) const
    {
        return emitSignal("org.freedesktop.login1.Manager", "PrepareForSleep", "b",
                          {QVariant(going)});
    }

private:
    bool m_ready = false;
};

class LogindTest : public ::testing::Test {
protected:
    void exitWith(PowerManager &power, int choice)
    {
        ExitSequence exit(dir.path(), sound, power,
                          {[] {}, [choice] { return choice; }, [] { return QString(); },
                           [] {
                           }});
        exit.ComandPanelBottomRightClick();
    }

    TempDir dir;
    RecordingSoundPlayer sound;
};

} // namespace

TEST_F(LogindTest, EachChoiceCallsItsMethodNotInteractively)
{
    LogindMock logind("{}");
    ASSERT_TRUE(logind.ready());
    LogindPowerManager power(logind.bus());
    exitWith(power, ExitSequence::Standby);
    exitWith(power, ExitSequence::Hibernate);
    exitWith(power, ExitSequence::Halt);
    exitWith(power, ExitSequence::PowerOff);
    // A question on the same connection: once it is answered, every earlier request has
    // reached the mock.
    EXPECT_TRUE(power.canSuspend());
    EXPECT_EQ(logind.calls(),
              QStringList({"CanSuspend", "Suspend False", "CanHibernate", "Hibernate False",
                           "Halt False", "PowerOff False", "CanSuspend"}));
}

TEST_F(LogindTest, NothingIsRequestedWhenTheAnswerIsNotYes)
{
    LogindMock logind(R"({"CanSuspend": "no", "CanHibernate": "challenge"})");
    ASSERT_TRUE(logind.ready());
    LogindPowerManager power(logind.bus());
    exitWith(power, ExitSequence::Standby);
    exitWith(power, ExitSequence::Hibernate);
    EXPECT_FALSE(power.canSuspend());
    EXPECT_EQ(logind.calls(), QStringList({"CanSuspend", "CanHibernate", "CanSuspend"}));
}

TEST(LogindWithoutBusTest, NoBusMeansNotAllowedAndNothingHappens)
{
    QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/rovana-bus"), QStringLiteral("rovana-no-bus"));
    ASSERT_FALSE(none.isConnected());
    LogindPowerManager power(none);
    EXPECT_FALSE(power.canSuspend());
    EXPECT_FALSE(power.canHibernate());
    power.suspend();
    power.powerOff();
    QDBusConnection::disconnectFromBus(QStringLiteral("rovana-no-bus"));
}

TEST(ShellStartTest, TheShellRunsDetachedAndAFailureIsIgnored)
{
    TempDir dir;
    LogindPowerManager power(QDBusConnection(QStringLiteral("rovana-unused")));
    power.startShell("touch \"" + dir.file("shell started") + "\"");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(dir.file("shell started")); }, 20000));
    power.startShell("/nonexistent/x-session-manager --flag");
    power.startShell("");
}

TEST_F(LogindTest, TheWakeUpAfterASleepIsHeardAndTheWayIntoItIsNot)
{
    LogindMock logind("{}");
    ASSERT_TRUE(logind.ready());
    int resumed = 0;
    LogindResumeWatch watch(logind.bus(), [&resumed] { ++resumed; });
    ASSERT_TRUE(watch.watching());
    // The mock sends the signal before its answer, so it is queued here by the time the
    // call returns.
    ASSERT_TRUE(logind.prepareForSleep(true));
    QCoreApplication::processEvents();
    EXPECT_EQ(resumed, 0);
    ASSERT_TRUE(logind.prepareForSleep(false));
    EXPECT_TRUE(QTest::qWaitFor([&] { return resumed == 1; }, 5000));
    ASSERT_TRUE(logind.prepareForSleep(true));
    QCoreApplication::processEvents();
    EXPECT_EQ(resumed, 1);
}
