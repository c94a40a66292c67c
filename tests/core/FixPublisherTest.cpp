#include "core/FixPublisher.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <stdexcept>

// Every subscriber hears of every fix, in the order they subscribed; one that throws
// ends only its own turn.
TEST(FixPublisher, FixesReachEverySubscriberInOrder)
{
    FixPublisher source;
    QStringList heard;
    source.subscribe([&](const Fix &f) { heard << "camera " + f.time; });
    source.subscribe([&](const Fix &f) {
        heard << "log " + f.time;
        if (f.time == "2")
            throw std::runtime_error("disk full");
    });
    source.subscribe([&](const Fix &f) { heard << "map " + f.time; });
    source.subscribe({}); // nothing to call
    Fix fix;
    fix.time = "1";
    source.publish(fix);
    fix.time = "2";
    source.publish(fix);
    EXPECT_EQ(heard, (QStringList{"camera 1", "log 1", "map 1", "camera 2", "log 2", "map 2"}));
}

TEST(FixPublisher, ASubscriberMaySubscribeAnotherWhileItRuns)
{
    FixPublisher source;
    int late = 0;
    bool added = false;
    source.subscribe([&](const Fix &) {
        if (!added) {
            added = true;
            source.subscribe([&](const Fix &) { ++late; });
        }
    });
    source.publish(Fix{});
    source.publish(Fix{});
    EXPECT_EQ(late, 2);
}
