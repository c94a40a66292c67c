#include "platform/GpsdSource.h"
#include "platform/GpsdStream.h"

#include <gtest/gtest.h>

#include <QTest>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int IoBoundMs = 5000; // loopback I/O: reached only on failure

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
    FakeGpsd()
    {
        m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(m_listener, 4);
        ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length);
        m_port = ntohs(address.sin_port);
    }
    ~FakeGpsd()
    {
        hangUp();
        ::close(m_listener);
    }
    FakeGpsd(const FakeGpsd &) = delete;
    FakeGpsd &operator=(const FakeGpsd &) = delete;

    quint16 port() const { return m_port; }
    bool accept()
    {
        m_client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
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
    int m_listener = -1;
    int m_client = -1;
    quint16 m_port = 0;
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
    EXPECT_ANY_THROW(GpsdSource({QStringLiteral("no.such.host.invalid"), 2947}).OpenPort());
}

} // namespace
