#include "core/CivilTwilight.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace {

QDateTime utc(const char *text)
{
    QDateTime t =
        QDateTime::fromString(QString::fromLatin1(text), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    t.setTimeZone(QTimeZone::utc());
    return t;
}

struct Place {
    const char *name;
    double latitude;
    double longitude;
};

constexpr Place London{"London", 51.5074, -0.1278};
constexpr Place Sydney{"Sydney", -33.8688, 151.2093};
constexpr Place NewYork{"New York", 40.7128, -74.0060};
constexpr Place Tromso{"Tromso", 69.6492, 18.9553};
constexpr Place Longyearbyen{"Longyearbyen", 78.2232, 15.6267};

// Start and end of civil twilight, UTC, from an almanac (sun's centre 6 degrees down).
struct Event {
    Place place;
    const char *time;
    bool dawn;
};

const Event AlmanacEvents[] = {
    {London, "2026-03-20 05:30:08", true},   {London, "2026-03-20 18:46:51", false},
    {London, "2026-06-21 02:55:19", true},   {London, "2026-06-21 21:09:19", false},
    {London, "2026-12-21 07:23:24", true},   {London, "2026-12-21 16:33:44", false},
    {Sydney, "2026-06-21 07:21:32", false},  {Sydney, "2026-06-21 20:32:26", true},
    {Sydney, "2026-12-21 09:34:34", false},  {Sydney, "2026-12-21 18:11:57", true},
    {NewYork, "2026-03-20 10:32:01", true},  {NewYork, "2026-03-20 23:35:30", false},
    {NewYork, "2026-06-21 01:03:57", false}, {NewYork, "2026-12-21 22:02:48", false},
    {Tromso, "2026-12-21 08:31:15", true},   {Tromso, "2026-12-21 12:53:09", false},
};

} // namespace

// Within two minutes of the almanac on either side of each event, in both hemispheres,
// west and east of Greenwich (whose days cross the UTC date line), and in the short
// Arctic winter day.
TEST(CivilTwilightTest, NightBeginsAndEndsWithinTwoMinutesOfTheAlmanac)
{
    for (const Event &e : AlmanacEvents) {
        const QDateTime at = utc(e.time);
        const Place &p = e.place;
        SCOPED_TRACE(std::string(p.name) + " " + e.time);
        EXPECT_EQ(CivilTwilight::isNight(at.addSecs(-120), p.latitude, p.longitude), e.dawn);
        EXPECT_EQ(CivilTwilight::isNight(at.addSecs(120), p.latitude, p.longitude), !e.dawn);
    }
}

TEST(CivilTwilightTest, TheDaysTimesAreTheAlmanacs)
{
    const CivilTwilight::Day day =
        CivilTwilight::on(QDate(2026, 6, 21), London.latitude, London.longitude);
    ASSERT_TRUE(day.dawn && day.dusk);
    EXPECT_LE(qAbs(day.dawn->secsTo(utc("2026-06-21 02:55:19"))), 120);
    EXPECT_LE(qAbs(day.dusk->secsTo(utc("2026-06-21 21:09:19"))), 120);
    EXPECT_EQ(day.dawn->timeZone(), QTimeZone(QTimeZone::utc()));
}

TEST(CivilTwilightTest, PolarSummerHasNoNightAndPolarWinterNoDay)
{
    const CivilTwilight::Day summer =
        CivilTwilight::on(QDate(2026, 6, 21), Tromso.latitude, Tromso.longitude);
    EXPECT_TRUE(summer.allDay);
    EXPECT_FALSE(summer.dawn || summer.dusk);
    for (const char *t : {"2026-06-21 00:00:00", "2026-06-21 11:00:00", "2026-06-21 23:30:00"})
        EXPECT_FALSE(CivilTwilight::isNight(utc(t), Tromso.latitude, Tromso.longitude)) << t;

    const CivilTwilight::Day winter =
        CivilTwilight::on(QDate(2026, 12, 21), Longyearbyen.latitude, Longyearbyen.longitude);
    EXPECT_FALSE(winter.allDay);
    EXPECT_FALSE(winter.dawn || winter.dusk);
    for (const char *t : {"2026-12-21 00:00:00", "2026-12-21 11:00:00", "2026-12-21 23:30:00"})
        EXPECT_TRUE(CivilTwilight::isNight(utc(t), Longyearbyen.latitude, Longyearbyen.longitude))
            << t;
}

// A moment given in another zone is the same moment.
TEST(CivilTwilightTest, TheMomentsZoneDoesNotMatter)
{
    const QDateTime evening = utc("2026-12-21 16:40:00");
    EXPECT_TRUE(CivilTwilight::isNight(evening, London.latitude, London.longitude));
    EXPECT_TRUE(CivilTwilight::isNight(evening.toTimeZone(QTimeZone(10 * 3600)), London.latitude,
                                       London.longitude));
}
