#include "platform/GpsdSource.h"
#include "platform/GpsdStream.h"
#include "support/LoopbackListener.h"
#include "support/SilentListener.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <atomic>
#include <future>
#include <memory>
#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int IoBoundMs = 5000; // loopback I/O: reached only on failure

int openDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).count()); }

TEST(GpsdSourceTest, TheSettingNamesGpsdWithItsHostAndPortOrIsNoGpsd)
{
    const auto text = [](const QString &setting) {
        const auto address = GpsdSource::parse(setting);
        return address ? address->text() : QStringLiteral("-");
    };
    EXPECT_EQ(text("gpsd"), "localhost:2947");
    EXPECT_EQ(text(" GPSD "), "localhost:2947");
    EXPECT_EQ(text("gpsd:carpc"), "carpc:2947");
    EXPECT_EQ(text("gpsd:192.168.1.5:3000"), "192.168.1.5:3000");
    EXPECT_EQ(text("gpsd::3000"), "localhost:3000");
    EXPECT_EQ(text("gpsd:[::1]:3000"), "::1:3000");
    EXPECT_EQ(text("gpsd:[::1]"), "::1:2947");
    EXPECT_EQ(text("gpsd:host:0"), "-");
    EXPECT_EQ(text("gpsd:host:70000"), "-");
    EXPECT_EQ(text("gpsd:host:x"), "-");
    EXPECT_EQ(text("gpsd:[::1"), "-");
    EXPECT_EQ(text(""), "-");
    EXPECT_EQ(text("/dev/ttyUSB0"), "-");
    EXPECT_EQ(text("gpsdx"), "-");
}

TEST(GpsdStreamTest, SentencesAreKeptWholeAndGpsdsReportsDropped)
{
    GpsdStream stream;
    const QByteArray bytes = "{\"class\":\"VERSION\",\"release\":\"3.22\"}\r\n"
                             "$GPGGA,120000,5121.0000,N*00\r\n"
                             "!AIVDM,1,1,,A,abc*00\r\n"
                             "\r\n"
                             "junk line\n"
                             "$GPRMC,120000,A*00\n"
                             "$GPGGA,1200";
    QByteArray all;
    // Cut anywhere, the same sentences come out, each ended with CR LF.
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        GpsdStream s;
        QByteArray got;
        for (const QByteArray &chunk : s.take(bytes.constData(), cut))
            got += chunk;
        for (const QByteArray &chunk : s.take(bytes.constData() + cut, bytes.size() - cut))
            got += chunk;
        EXPECT_EQ(got, "$GPGGA,120000,5121.0000,N*00\r\n!AIVDM,1,1,,A,abc*00\r\n"
                       "$GPRMC,120000,A*00\r\n")
            << cut;
    }
    EXPECT_TRUE(stream.take(bytes.constData(), bytes.size()).size() == 1);
    const QList<QByteArray> rest = stream.take(",5121\r\n", 7);
    ASSERT_EQ(rest.size(), 1);
    EXPECT_EQ(rest.first(), "$GPGGA,1200,5121\r\n");
}

TEST(GpsdStreamTest, AnOverlongLineIsDroppedToItsEndAndChunksStayWithinTheSerialSize)
{
    GpsdStream stream;
    const QByteArray junk = "$" + QByteArray(GpsdStream::MaxLine + 10, 'x') + "\r\n$GPGGA,ok\r\n";
    QList<QByteArray> chunks = stream.take(junk.constData(), junk.size());
    ASSERT_EQ(chunks.size(), 1);
    EXPECT_EQ(chunks.first(), "$GPGGA,ok\r\n");

    QByteArray many;
    for (int i = 0; i < 200; ++i)
        many += "$GPGGA,120000,5121.0000,N,00714.0000,E,1,07*00\r\n";
    chunks = stream.take(many.constData(), many.size());
    QByteArray joined;
    for (const QByteArray &chunk : chunks) {
        EXPECT_LE(chunk.size(), GpsdStream::MaxChunk);
        EXPECT_TRUE(chunk.endsWith("\r\n"));
        joined += chunk;
    }
    EXPECT_EQ(joined, many);
}

// A stand-in for gpsd on the loopback: one client at a time.
class FakeGpsd {
public:
    FakeGpsd() = default;
    ~FakeGpsd() { hangUp(); }
    FakeGpsd(const FakeGpsd &) = delete;
    FakeGpsd &operator=(const FakeGpsd &) = delete;

    quint16 port() const { return m_listener.port(); }
    bool accept()
    {
        m_client = m_listener.accept();
        return m_client >= 0;
    }
    // Whether the client has asked something: a whole line has come.
    bool asked()
    {
        char buffer[256];
        ssize_t n;
        while ((n = ::recv(m_client, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
            m_request.append(buffer, n);
        return m_request.endsWith('\n');
    }
    QByteArray request() const { return m_request; }
    void send(const QByteArray &bytes) const
    {
        ::send(m_client, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL);
    }
    void hangUp()
    {
        if (m_client >= 0)
            ::close(m_client);
        m_client = -1;
    }

private:
    LoopbackListener m_listener{4};
    int m_client = -1;
    QByteArray m_request;
};

TEST(GpsdSourceTest, ConnectsAsksForNmeaHandsOnTheSentencesAndHangsUpWithGpsd)
{
    FakeGpsd gpsd;
    GpsdSource source({QStringLiteral("127.0.0.1"), gpsd.port()});
    QByteArray received;
    int hangups = 0;
    source.setOnReceiveData([&](const char *buffer, quint16 length) {
        EXPECT_EQ(buffer[length], '\0');
        received.append(buffer, length);
    });
    source.setOnHangup([&] { ++hangups; });
    source.setPortIndex(4);
    EXPECT_EQ(source.portIndex(), 4);

    ASSERT_TRUE(source.OpenPort());
    EXPECT_TRUE(source.isOpen());
    EXPECT_ANY_THROW(source.OpenPort());
    ASSERT_TRUE(gpsd.accept());
    // The request goes out once the connection is made, from the event loop.
    ASSERT_TRUE(QTest::qWaitFor([&] { return gpsd.asked(); }, IoBoundMs));
    EXPECT_EQ(gpsd.request(), "?WATCH={\"enable\":true,\"nmea\":true}\n");
    gpsd.send("{\"class\":\"VERSION\"}\r\n$GPGGA,1*00\r\n$GPRMC,");
    gpsd.send("2*00\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() >= 24; }, IoBoundMs));
    EXPECT_EQ(received, "$GPGGA,1*00\r\n$GPRMC,2*00\r\n");

    gpsd.hangUp();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hangups == 1; }, IoBoundMs));
    EXPECT_FALSE(source.isOpen());
    source.ClosePort();
    EXPECT_EQ(hangups, 1);
}

TEST(GpsdSourceTest, NobodyListeningIsAFailureOfOpenPort)
{
    quint16 port = 0;
    {
        FakeGpsd gone;
        port = gone.port();
    }
    GpsdSource source({QStringLiteral("127.0.0.1"), port});
    int hangups = 0;
    source.setOnHangup([&] { ++hangups; });
    try {
        source.OpenPort();
        ADD_FAILURE() << "connected to nobody";
    } catch (const std::exception &e) {
        EXPECT_EQ(QString::fromUtf8(e.what()),
                  QStringLiteral("gpsd at 127.0.0.1:%1: Connection refused").arg(port));
    }
    EXPECT_FALSE(source.isOpen());
    EXPECT_EQ(hangups, 0);
}

// A source whose handlers count what it tells.
struct CountedSource {
    explicit CountedSource(quint16 port, const QString &host = QStringLiteral("127.0.0.1"),
                           HostLookup::Resolver resolver = {})
        : source({host, port}, std::move(resolver))
    {
        source.setOnOpened([this] { ++opened; });
        source.setOnHangup([this] { ++hangups; });
    }
    GpsdSource source;
    int opened = 0;
    int hangups = 0;
};

TEST(GpsdSourceTest, AGpsdThatDoesNotAnswerLeavesOpenPortAtOnceAndIsOpenOnlyOnceItAnswers)
{
    SilentListener gpsd;
    ASSERT_TRUE(gpsd.full());
    CountedSource counted(gpsd.port());
    GpsdSource &source = counted.source;

    ASSERT_TRUE(source.OpenPort()) << "returned before anybody answered";
    EXPECT_FALSE(source.isOpen());
    EXPECT_TRUE(source.connecting());
    EXPECT_ANY_THROW(source.OpenPort());
    QCoreApplication::processEvents();
    EXPECT_FALSE(source.isOpen());
    EXPECT_EQ(counted.opened, 0);

    // Room is made: the call gets through at its next try and the request follows.
    ASSERT_TRUE(gpsd.makeRoom());
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted.opened == 1; }, IoBoundMs));
    EXPECT_TRUE(source.isOpen());
    EXPECT_FALSE(source.connecting());
    ASSERT_TRUE(gpsd.makeRoom());
    EXPECT_TRUE(gpsd.heardWithin(IoBoundMs));
    EXPECT_EQ(counted.hangups, 0);
}

TEST(GpsdSourceTest, AConnectionRefusedLaterHangsUpAndOneClosedUnderWayTellsNothing)
{
    const int descriptors = openDescriptors();
    {
        SilentListener gpsd;
        CountedSource refused(gpsd.port());
        CountedSource closed(gpsd.port());
        ASSERT_TRUE(refused.source.OpenPort());
        ASSERT_TRUE(closed.source.OpenPort());
        closed.source.ClosePort();
        EXPECT_FALSE(closed.source.connecting());

        gpsd.close(); // the next try is refused
        ASSERT_TRUE(QTest::qWaitFor([&] { return refused.hangups == 1; }, IoBoundMs));
        EXPECT_FALSE(refused.source.isOpen());
        EXPECT_FALSE(refused.source.connecting());
        EXPECT_EQ(refused.opened, 0);
        EXPECT_EQ(closed.hangups + closed.opened, 0);
    }
    EXPECT_EQ(openDescriptors(), descriptors) << "a descriptor was leaked";
}

TEST(GpsdSourceTest, LocalhostIsReachedOnTheAddressGpsdListensOn)
{
    FakeGpsd gpsd; // on 127.0.0.1 only, while localhost may be ::1 first
    CountedSource counted(gpsd.port(), QStringLiteral("localhost"));
    ASSERT_TRUE(counted.source.OpenPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted.opened == 1; }, IoBoundMs));
    EXPECT_TRUE(counted.source.isOpen());
    ASSERT_TRUE(gpsd.accept());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gpsd.asked(); }, IoBoundMs));
}

// A name server that answers when the test says so: every name is 127.0.0.1, or the error
// given. It outlives the test if a lookup thread still waits on it.
class SlowNameServer {
public:
    SlowNameServer() : m_state(std::make_shared<State>()) {}
    ~SlowNameServer() { answer(EAI_AGAIN); }
    SlowNameServer(const SlowNameServer &) = delete;
    SlowNameServer &operator=(const SlowNameServer &) = delete;

    HostLookup::Resolver resolver() const
    {
        return [state = m_state](const char *, const char *service, const addrinfo &hints,
                                 addrinfo **found) {
            ++state->asked;
            const int error = state->future.get();
            const int result =
                error != 0 ? error : ::getaddrinfo("127.0.0.1", service, &hints, found);
            ++state->answered;
            return result;
        };
    }
    void answer(int error = 0)
    {
        if (!m_state->given.exchange(true))
            m_state->promise.set_value(error);
    }
    int asked() const { return m_state->asked; }
    int answered() const { return m_state->answered; }

private:
    struct State {
        std::promise<int> promise;
        std::shared_future<int> future = promise.get_future().share();
        std::atomic<bool> given{false};
        std::atomic<int> asked{0};
        std::atomic<int> answered{0};
    };
    std::shared_ptr<State> m_state;
};

TEST(GpsdSourceTest, ANameServerThatDoesNotAnswerLeavesOpenPortAtOnceAndTheConnectionFollows)
{
    FakeGpsd gpsd;
    SlowNameServer names;
    CountedSource counted(gpsd.port(), QStringLiteral("carpc"), names.resolver());
    GpsdSource &source = counted.source;

    ASSERT_TRUE(source.OpenPort()) << "returned before the name server answered";
    EXPECT_FALSE(source.isOpen());
    EXPECT_TRUE(source.connecting());
    EXPECT_ANY_THROW(source.OpenPort());
    ASSERT_TRUE(QTest::qWaitFor([&] { return names.asked() == 1; }, IoBoundMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(counted.opened, 0);

    names.answer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted.opened == 1; }, IoBoundMs));
    EXPECT_TRUE(source.isOpen());
    ASSERT_TRUE(gpsd.accept());
    EXPECT_TRUE(QTest::qWaitFor([&] { return gpsd.asked(); }, IoBoundMs));
    EXPECT_EQ(counted.hangups, 0);
    EXPECT_EQ(names.asked(), 1);
}

TEST(GpsdSourceTest, ANameNotFoundHangsUpAndATryWhileTheLookupIsOutAsksNoSecondTime)
{
    SlowNameServer names;
    CountedSource counted(2947, QStringLiteral("no-such-car"), names.resolver());
    GpsdSource &source = counted.source;
    ASSERT_TRUE(source.OpenPort());
    // The port's search closes and opens again every 2 s while the name server is silent.
    source.ClosePort();
    EXPECT_FALSE(source.connecting());
    ASSERT_TRUE(source.OpenPort());
    EXPECT_TRUE(source.connecting());

    names.answer(EAI_NONAME);
    ASSERT_TRUE(QTest::qWaitFor([&] { return counted.hangups == 1; }, IoBoundMs));
    EXPECT_FALSE(source.isOpen());
    EXPECT_FALSE(source.connecting());
    EXPECT_EQ(counted.opened, 0);
    EXPECT_EQ(names.asked(), 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(counted.hangups, 1);
}

TEST(GpsdSourceTest, AnAnswerForASourceClosedOrGoneIsNotHeard)
{
    FakeGpsd gpsd;
    SlowNameServer names;
    CountedSource closed(gpsd.port(), QStringLiteral("carpc"), names.resolver());
    ASSERT_TRUE(closed.source.OpenPort());
    closed.source.ClosePort();
    {
        CountedSource gone(gpsd.port(), QStringLiteral("carpc"), names.resolver());
        ASSERT_TRUE(gone.source.OpenPort());
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return names.asked() == 2; }, IoBoundMs));
    names.answer();
    ASSERT_TRUE(QTest::qWaitFor([&] { return names.answered() == 2; }, IoBoundMs));
    QCoreApplication::processEvents();
    EXPECT_EQ(closed.opened + closed.hangups, 0);
    EXPECT_FALSE(closed.source.connecting());
}

} // namespace
