#include "platform/MpvHandle.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <gtest/gtest.h>

#include <QDir>

#include <mpv/client.h>

#include <clocale>

namespace {

// The player's core; the audio output and demuxer threads come with a file.
constexpr qint64 LeanPlayerThreads = 1;

QList<QByteArray> names(const MpvHandle::Options &options)
{
    QList<QByteArray> n;
    for (const auto &option : options)
        n.append(option.first);
    return n;
}

QByteArray valueOf(const MpvHandle::Options &options, const QByteArray &name)
{
    for (const auto &[key, value] : options) {
        if (key == name)
            return value;
    }
    return {};
}

} // namespace

TEST(MpvHandle, SoundOnlyPlayersShowNothingAndReadNoUserConfiguration)
{
    const MpvHandle::Options o = MpvHandle::soundOnly({});
    EXPECT_EQ(valueOf(o, "vo"), "null");
    EXPECT_EQ(valueOf(o, "vid"), "no");
    EXPECT_EQ(valueOf(o, "audio-fallback-to-null"), "yes");
    EXPECT_EQ(valueOf(o, "config"), "no");
    EXPECT_EQ(valueOf(o, "load-scripts"), "no");
    EXPECT_EQ(valueOf(o, "ytdl"), "no");
    EXPECT_EQ(valueOf(o, "osc"), "no");
    EXPECT_EQ(valueOf(o, "input-default-bindings"), "no");
    // Without an output named, mpv chooses its own.
    EXPECT_FALSE(names(o).contains("ao"));
}

TEST(MpvHandle, ExtraOptionsFollowAndTheOutputComesLast)
{
    const MpvHandle::Options common = MpvHandle::soundOnly({});
    const MpvHandle::Options o = MpvHandle::soundOnly("null", {{"keep-open", "yes"}});
    ASSERT_EQ(o.size(), common.size() + 2);
    EXPECT_TRUE(std::equal(common.begin(), common.end(), o.begin()));
    EXPECT_EQ(o[common.size()], (std::pair<QByteArray, QByteArray>("keep-open", "yes")));
    EXPECT_EQ(o.back(), (std::pair<QByteArray, QByteArray>("ao", "null")));
}

TEST(MpvHandle, OnlyExistingLocalFilesArePlayed)
{
    TempDir dir;
    const QString wav = dir.write("a.wav", WavFile::tone(100));
    EXPECT_EQ(MpvHandle::localFile(wav), wav.toUtf8());
    EXPECT_FALSE(MpvHandle::localFile(dir.file("missing.wav")));
    EXPECT_FALSE(MpvHandle::localFile(dir.mkdir("sub")));
    EXPECT_FALSE(MpvHandle::localFile(QString()));
    EXPECT_FALSE(MpvHandle::localFile("http://192.0.2.1/alarm.wav"));
    // A relative name becomes absolute, so mpv never reads "x:" as a protocol.
    const QString old = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const auto relative = MpvHandle::localFile("a.wav");
    QDir::setCurrent(old);
    ASSERT_TRUE(relative);
    EXPECT_TRUE(QDir::isAbsolutePath(QString::fromUtf8(*relative)));
}

qint64 threadCount()
{
    return QDir(QStringLiteral("/proc/self/task"))
        .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
        .size();
}

// libmpv's own defaults start its built-in scripts, each on a thread of its own, in every
// player; ours start none of them.
TEST(MpvHandle, APlayerStartsNoScripts)
{
    const qint64 before = threadCount();
    const MpvHandle lean = MpvHandle::create(MpvHandle::soundOnly("null"));
    ASSERT_TRUE(lean);
    const qint64 leanThreads = threadCount() - before;
    const MpvHandle plain =
        MpvHandle::create({{"vo", "null"}, {"ao", "null"}, {"idle", "yes"}, {"config", "no"}});
    ASSERT_TRUE(plain);
    const qint64 plainThreads = threadCount() - before - leanThreads;
    EXPECT_LT(leanThreads, plainThreads);
    EXPECT_LE(leanThreads, LeanPlayerThreads);
}

// Every option is one this libmpv knows: an unknown one is ignored without a word.
TEST(MpvHandle, EveryOptionIsKnownToLibmpv)
{
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle *h = mpv_create();
    ASSERT_NE(h, nullptr);
    for (const auto &[name, value] : MpvHandle::soundOnly("null"))
        EXPECT_GE(mpv_set_option_string(h, name.constData(), value.constData()), 0) << name.data();
    mpv_terminate_destroy(h);
}

TEST(MpvHandle, WithoutAPlayerNothingHappens)
{
    const MpvHandle none;
    EXPECT_FALSE(none);
    EXPECT_FALSE(none.loadFile("/nothing.wav"));
    none.stop();
    none.drainEvents();
}

TEST(MpvHandle, EachLoadGetsItsOwnPlaylistEntry)
{
    TempDir dir;
    const QByteArray wav = dir.write("a.wav", WavFile::tone(2000)).toUtf8();
    const MpvHandle mpv = MpvHandle::create(MpvHandle::soundOnly("null", {{"pause", "yes"}}));
    ASSERT_TRUE(mpv);
    const auto first = mpv.loadFile(wav);
    const auto second = mpv.loadFile(wav);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_GE(*first, 0);
    EXPECT_NE(*first, *second);
    mpv.stop();
    mpv.drainEvents();
}
