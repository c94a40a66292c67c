#include "can/FakeClock.h"
#include "support/FakeInputDevice.h"
#include "support/TempDir.h"

#include "core/CommandKey.h"
#include "core/QtIntervalTimer.h"
#include "platform/KnobDecoder.h"
#include "platform/KnobDevice.h"
#include "platform/KnobDiscovery.h"

#include <gtest/gtest.h>

#include <QTest>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uinput.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Keys = std::vector<quint16>;
constexpr quint16 R = CommandKey::R, L = CommandKey::L, C = CommandKey::C, Q = CommandKey::Q;

input_event record(int type, int code, int value, qint64 ms = 0)
{
    return inputRecord(type, code, value, ms);
}

input_event report(qint64 ms = 0) { return record(EV_SYN, SYN_REPORT, 0, ms); }
input_event dial(int value) { return record(EV_REL, REL_DIAL, value); }
input_event button(int value, qint64 ms) { return record(EV_KEY, BTN_0, value, ms); }

class KnobDecoderTest : public ::testing::Test {
protected:
    void feed(std::initializer_list<input_event> records)
    {
        for (const input_event &e : records)
            decoder.feed(e);
    }

    FakeClock clock;
    Keys keys;
    KnobDecoder decoder{600, clock.factory(), [this](quint16 key) {
                            keys.push_back(key);
                        }};
};

TEST_F(KnobDecoderTest, EachDetentOfTheDialIsOneKeyRightPositiveLeftNegative)
{
    feed({dial(1), report(), dial(-1), report(), dial(3), report(), dial(-2), report()});
    EXPECT_EQ(keys, (Keys{R, L, R, R, R, L, L}));
    keys.clear();
    // A wild value is not a turn of a thousand detents.
    feed({dial(100000), report()});
    EXPECT_EQ(keys.size(), size_t(KnobDecoder::MaxKeysPerRecord));
}

TEST_F(KnobDecoderTest, FineStepsOfAHighResolutionWheelAddUpToDetents)
{
    // A mouse-like encoder sends both axes; only the fine one counts once it has spoken.
    feed({record(EV_REL, REL_WHEEL_HI_RES, 40), report()});
    feed({record(EV_REL, REL_WHEEL_HI_RES, 40), report()});
    EXPECT_TRUE(keys.empty());
    feed({record(EV_REL, REL_WHEEL_HI_RES, 40), record(EV_REL, REL_WHEEL, 1), report()});
    EXPECT_EQ(keys, (Keys{R}));
    // Back and forth within one detent gives nothing; a whole detent back gives L.
    feed({record(EV_REL, REL_WHEEL_HI_RES, -60), record(EV_REL, REL_WHEEL_HI_RES, 60)});
    EXPECT_EQ(keys, (Keys{R}));
    feed({record(EV_REL, REL_WHEEL_HI_RES, -300), report()});
    EXPECT_EQ(keys, (Keys{R, L, L}));
    feed({record(EV_REL, REL_WHEEL_HI_RES, -60), report()});
    EXPECT_EQ(keys, (Keys{R, L, L, L}));
    // Other axes of the device are no knob.
    feed({record(EV_REL, REL_X, 5), record(EV_REL, REL_Y, -5), report()});
    EXPECT_EQ(keys.size(), 4U);
}

TEST_F(KnobDecoderTest, AShortPressIsCAndALongPressIsQOnceAsSoonAsTheTimeIsUp)
{
    feed({button(1, 1000), report(1000)});
    clock.advance(200);
    feed({button(0, 1200), report(1200)});
    EXPECT_EQ(keys, (Keys{C}));

    keys.clear();
    feed({button(1, 5000), report(5000)});
    clock.advance(599);
    EXPECT_TRUE(keys.empty());
    clock.advance(1);
    EXPECT_EQ(keys, (Keys{Q}));
    clock.advance(5000);
    feed({button(0, 10000), report(10000)});
    EXPECT_EQ(keys, (Keys{Q})) << "held on, released: still one Q";

    // The release came before the timer had its turn: the records' times decide.
    keys.clear();
    feed({button(1, 20000), button(0, 20700), report(20700)});
    EXPECT_EQ(keys, (Keys{Q}));
    clock.advance(1000);
    EXPECT_EQ(keys, (Keys{Q}));
    // Autorepeat of the button is no press.
    keys.clear();
    feed({button(2, 30000), button(0, 30100)});
    EXPECT_TRUE(keys.empty());
}

TEST_F(KnobDecoderTest, ATurnDuringAPressTurnsAndCancelsThePress)
{
    feed({button(1, 0), report(), dial(1), report()});
    clock.advance(1000);
    feed({button(0, 1000), report()});
    EXPECT_EQ(keys, (Keys{R}));
    keys.clear();
    feed({button(1, 2000), dial(-1), button(0, 2100), report()});
    EXPECT_EQ(keys, (Keys{L}));
}

TEST_F(KnobDecoderTest, RecordsTheKernelDroppedAreSkippedUpToTheNextReport)
{
    feed({button(1, 0), record(EV_SYN, SYN_DROPPED, 0), dial(5), button(0, 100)});
    EXPECT_TRUE(keys.empty());
    clock.advance(1000);
    EXPECT_TRUE(keys.empty()) << "the press was forgotten";
    feed({report(), dial(1), report()});
    EXPECT_EQ(keys, (Keys{R}));
}

TEST_F(KnobDecoderTest, RecordsCutAnywhereInTheByteStreamAreJoined)
{
    std::vector<input_event> records{dial(1), report(), button(1, 0), report(), dial(-1), report()};
    const QByteArray bytes(reinterpret_cast<const char *>(records.data()),
                           qsizetype(records.size() * sizeof(input_event)));
    for (qsizetype i = 0; i < bytes.size(); i += 5)
        decoder.feedBytes(bytes.constData() + i, std::min<qsizetype>(5, bytes.size() - i));
    EXPECT_EQ(keys, (Keys{R, L}));
    // A device that went away mid-press gives nothing for it.
    feed({button(1, 0)});
    decoder.reset();
    clock.advance(1000);
    EXPECT_EQ(keys, (Keys{R, L}));
}

TEST(KnobDiscoveryTest, FindsThePowerMateOrTheFirstDeviceWithADialAxisInNumberOrder)
{
    TempDir sys;
    auto device = [&](const QString &event, const QByteArray &name, const QByteArray &rel) {
        sys.write(event + QStringLiteral("/device/name"), name + '\n');
        sys.write(event + QStringLiteral("/device/capabilities/rel"), rel + '\n');
    };
    device(QStringLiteral("event0"), "AT Translated Set 2 keyboard", "0");
    device(QStringLiteral("event2"), "Logitech USB Mouse", "1943"); // X, Y, wheels: no dial
    EXPECT_EQ(KnobDiscovery::find(sys.path(), QStringLiteral("/dev/input")), QString());
    device(QStringLiteral("event11"), "rotary@1", "80");
    EXPECT_EQ(KnobDiscovery::find(sys.path(), QStringLiteral("/dev/input")),
              QStringLiteral("/dev/input/event11"));
    device(QStringLiteral("event9"), "Griffin PowerMate", "80");
    EXPECT_EQ(KnobDiscovery::find(sys.path(), QStringLiteral("/dev/input")),
              QStringLiteral("/dev/input/event9"));
    EXPECT_EQ(KnobDiscovery::find(sys.file(QStringLiteral("missing")), {}), QString());

    EXPECT_TRUE(KnobDiscovery::hasDialAxis("80"));
    EXPECT_TRUE(KnobDiscovery::hasDialAxis("1 0 183"));
    EXPECT_FALSE(KnobDiscovery::hasDialAxis("80 0"));
    EXPECT_FALSE(KnobDiscovery::hasDialAxis(""));
    EXPECT_FALSE(KnobDiscovery::hasDialAxis("zz"));
}

class KnobDeviceTest : public ::testing::Test {
protected:
    KnobDevice::Places places()
    {
        return {sys.path(), QStringLiteral("/dev/input"),
                [this](const QByteArray &path, int flags) {
                    opened.push_back(path);
                    if (denied) {
                        errno = EACCES;
                        return -1;
                    }
                    if (!device) {
                        errno = ENOENT;
                        return -1;
                    }
                    return device->open(flags);
                }};
    }
    std::unique_ptr<KnobDevice> knob(const QString &path = QStringLiteral("/dev/input/by-id/knob"))
    {
        return std::make_unique<KnobDevice>(
            KnobDevice::Settings{path, 600},
            KnobDevice::Wiring{[this](quint16 key) { keys.push_back(key); },
                               [this](const QString &line) { messages << line; }, clock.factory()},
            places());
    }

    TempDir sys;
    FakeClock clock;
    Keys keys;
    QStringList messages;
    std::vector<QByteArray> opened;
    bool denied = false;
    std::unique_ptr<FakeInputDevice> device = std::make_unique<FakeInputDevice>();
};

TEST_F(KnobDeviceTest, TurnsAndPressesFromTheDeviceReachTheKeysAndTheLedFollowsTheAlert)
{
    auto k = knob();
    k->start();
    ASSERT_TRUE(k->isOpen());
    EXPECT_EQ(messages,
              QStringList{KnobDevice::foundText(QStringLiteral("/dev/input/by-id/knob"))});
    device->send({dial(1), report(), dial(-1), report(), button(1, 0), report()});
    device->send({button(0, 100), report(100)});
    QTRY_COMPARE(keys.size(), size_t(3));
    EXPECT_EQ(keys, (Keys{R, L, C}));

    EXPECT_EQ(device->leds(), std::vector<int>{KnobDevice::SteadyLed});
    k->setAlert(true);
    k->setAlert(true);
    k->setAlert(false);
    EXPECT_EQ(device->leds(), (std::vector<int>{KnobDevice::PulsingLed, KnobDevice::SteadyLed}));
}

TEST_F(KnobDeviceTest, AnUnpluggedKnobIsLookedForEveryTwoSecondsAndWorksWhenBack)
{
    auto k = knob();
    k->start();
    device->send({button(1, 0), report()});
    device->unplug();
    QTRY_VERIFY(!k->isOpen());
    EXPECT_EQ(messages.last(), KnobDevice::goneText(QStringLiteral("/dev/input/by-id/knob")));
    clock.advance(5000);
    EXPECT_TRUE(keys.empty()) << "a press cut off by the unplug gives nothing";
    device.reset();
    const size_t tries = opened.size();
    clock.advance(4000);
    EXPECT_EQ(opened.size(), tries + 2);

    device = std::make_unique<FakeInputDevice>();
    clock.advance(2000);
    ASSERT_TRUE(k->isOpen());
    EXPECT_EQ(messages.last(), KnobDevice::foundText(QStringLiteral("/dev/input/by-id/knob")));
    device->send({dial(2), report()});
    QTRY_COMPARE(keys, (Keys{R, R}));
    const size_t now = opened.size();
    clock.advance(10000);
    EXPECT_EQ(opened.size(), now) << "no search while the knob is there";
}

TEST_F(KnobDeviceTest, ADeviceThatMayNotBeOpenedIsReportedOnceWithTheFix)
{
    denied = true;
    auto k = knob();
    k->start();
    clock.advance(10000);
    EXPECT_FALSE(k->isOpen());
    EXPECT_GE(opened.size(), 5U);
    EXPECT_EQ(messages,
              QStringList{KnobDevice::permissionText(QStringLiteral("/dev/input/by-id/knob"))});
    EXPECT_TRUE(messages.first().contains(QStringLiteral("\"input\"")));
    denied = false;
    clock.advance(2000);
    EXPECT_TRUE(k->isOpen());
}

TEST_F(KnobDeviceTest, WithoutADeviceNamedTheKnobIsFoundInTheKernelsList)
{
    auto k = knob(QString());
    k->start();
    EXPECT_FALSE(k->isOpen());
    EXPECT_TRUE(opened.empty()) << "nothing to open before a knob is listed";
    sys.write(QStringLiteral("event4/device/name"), "Griffin PowerMate\n");
    clock.advance(2000);
    ASSERT_TRUE(k->isOpen());
    EXPECT_EQ(k->path(), QStringLiteral("/dev/input/event4"));
}

TEST(KnobSystemPlacesTest, OnlyADeviceFileIsOpenedAsAKnob)
{
    TempDir dir;
    const QByteArray file = QFile::encodeName(dir.write(QStringLiteral("knob"), "not a device"));
    const auto open = KnobDevice::systemPlaces().open;
    errno = 0;
    EXPECT_EQ(open(file, O_RDONLY | O_CLOEXEC), -1);
    EXPECT_EQ(errno, ENODEV);
    const int fd = open("/dev/null", O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0);
    ::close(fd);

    // Named in the settings, such a file is never taken for a knob that comes and goes.
    FakeClock clock;
    QStringList messages;
    KnobDevice knob(
        {QString::fromLocal8Bit(file), 600},
        {[](quint16) {}, [&](const QString &line) { messages << line; }, clock.factory()},
        KnobDevice::systemPlaces());
    knob.start();
    clock.advance(10000);
    EXPECT_FALSE(knob.isOpen());
    EXPECT_TRUE(messages.isEmpty());
}

// A virtual PowerMate through the kernel, where the kernel lets us make one.
TEST(KnobUinputTest, AVirtualPowerMateDrivesTheKeysEndToEnd)
{
    const int ui = ::open("/dev/uinput", O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (ui < 0)
        GTEST_SKIP() << "no /dev/uinput here: the virtual PowerMate was not made";
    ::ioctl(ui, UI_SET_EVBIT, EV_KEY);
    ::ioctl(ui, UI_SET_KEYBIT, BTN_0);
    ::ioctl(ui, UI_SET_EVBIT, EV_REL);
    ::ioctl(ui, UI_SET_RELBIT, REL_DIAL);
    uinput_setup setup{};
    setup.id.bustype = BUS_USB;
    setup.id.vendor = 0x077d;
    setup.id.product = 0x0410;
    std::strncpy(setup.name, "Rovana test PowerMate", UINPUT_MAX_NAME_SIZE - 1);
    ASSERT_EQ(::ioctl(ui, UI_DEV_SETUP, &setup), 0);
    ASSERT_EQ(::ioctl(ui, UI_DEV_CREATE), 0);

    Keys keys;
    QStringList messages;
    KnobDevice knob({QString(), 600},
                    {[&](quint16 key) { keys.push_back(key); },
                     [&](const QString &line) { messages << line; },
                     [] {
                         return QtIntervalTimer::make();
                     }},
                    KnobDevice::systemPlaces());
    QTRY_VERIFY_WITH_TIMEOUT((knob.start(), knob.isOpen()), 5000);
    auto send = [ui](int type, int code, int value) {
        input_event e{};
        e.type = quint16(type);
        e.code = quint16(code);
        e.value = value;
        return ::write(ui, &e, sizeof e) == ssize_t(sizeof e);
    };
    EXPECT_TRUE(send(EV_REL, REL_DIAL, 1) && send(EV_SYN, SYN_REPORT, 0));
    EXPECT_TRUE(send(EV_KEY, BTN_0, 1) && send(EV_SYN, SYN_REPORT, 0));
    EXPECT_TRUE(send(EV_KEY, BTN_0, 0) && send(EV_SYN, SYN_REPORT, 0));
    QTRY_COMPARE(keys, (Keys{R, C}));
    ::ioctl(ui, UI_DEV_DESTROY);
    ::close(ui);
    QTRY_VERIFY(!knob.isOpen());
}

} // namespace
