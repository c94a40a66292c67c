#include "platform/LogindPowerManager.h"
#include "app/ExitSequence.h"
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

class LogindMock {
public:
    explicit LogindMock(const QByteArray &parameters)
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {"--session", "--nofork", "--nopidfile", "--print-address"});
        if (!m_daemon.waitForStarted(10000) ||
            !QTest::qWaitFor([&] { return m_daemon.canReadLine(); }, 20000))
            return;
        m_address = QString::fromUtf8(m_daemon.readLine().trimmed());

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SYSTEM_BUS_ADDRESS", m_address);
        env.insert("DBUS_SESSION_BUS_ADDRESS", m_address);
        m_mock.setProcessEnvironment(env);
        m_mock.setProcessChannelMode(QProcess::ForwardedChannels);
        // Debian's interpreter: the package installs the module for it.
        m_mock.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "dbusmock", "--template", "logind", "-l", m_dir.file("calls.log"), "-p",
                      QString::fromUtf8(parameters)});
        m_bus = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(m_address, QStringLiteral("rovana-logind-test")));
        m_ready = m_bus->isConnected() &&
                  QTest::qWaitFor([&] { return m_bus->interface()->isServiceRegistered(Service); },
                                  30000);
        // The template has no Halt; add it the way the mock offers.
        if (m_ready) {
            QDBusMessage add = QDBusMessage::createMethodCall(
                Service, "/org/freedesktop/login1", "org.freedesktop.DBus.Mock", "AddMethod");
            add << "org.freedesktop.login1.Manager"
                << "Halt"
                << "b"
                << ""
                << "";
            m_ready = m_bus->call(add).type() == QDBusMessage::ReplyMessage;
        }
    }
    ~LogindMock()
    {
        m_bus.reset();
        QDBusConnection::disconnectFromBus(QStringLiteral("rovana-logind-test"));
        for (QProcess *p : {&m_mock, &m_daemon}) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
            p->waitForFinished(5000);
        }
    }

    bool ready() const { return m_ready; }
    QDBusConnection bus() const { return *m_bus; }
    // The methods called so far, with their arguments: "Suspend False".
    QStringList calls() const
    {
        QFile log(m_dir.file("calls.log"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        QStringList result;
        for (const QByteArray &line : log.readAll().split('\n')) {
            const QString l = QString::fromUtf8(line).section(' ', 1);
            if (!l.isEmpty() && !l.startsWith("Add"))
                result << l;
        }
        return result;
    }

    static inline const QString Service = QStringLiteral("org.freedesktop.login1");

private:
    TempDir m_dir;
    QProcess m_daemon;
    QProcess m_mock;
    QString m_address;
    std::unique_ptr<QDBusConnection> m_bus;
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
