#include "app/ExitSequence.h"
#include "platform/SoundPlayer.h"
#include "support/RecordingPowerManager.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// One journal for every step, so that the order of the steps shows.
class JournalSound : public SoundPlayer {
public:
    explicit JournalSound(QStringList &journal) : m_journal(journal) {}
    void play(const QString &path) override { m_journal << "play " + path; }
    void playAndWait(const QString &path) override { m_journal << "wait " + path; }

private:
    QStringList &m_journal;
};

class ExitSequenceTest : public ::testing::Test {
protected:
    ExitSequence &exitWith(int choice)
    {
        exit = std::make_unique<ExitSequence>(
            dir.path(), sound, power,
            ExitSequence::Actions{[this] {
                                      journal << "save";
                                      if (saveFails)
                                          throw std::runtime_error("disk full");
                                  },
                                  [choice] { return choice; },
                                  [] { return QString("startx --kiosk"); },
                                  [this] {
                                      journal << "quit";
                                  }});
        return *exit;
    }
    void withExitSound() { dir.write("exit.wav", "RIFF"); }
    QStringList requests() const { return power.requests(); }

    TempDir dir;
    QStringList journal;
    JournalSound sound{journal};
    RecordingPowerManager power;
    bool saveFails = false;
    std::unique_ptr<ExitSequence> exit;
};

} // namespace

TEST_F(ExitSequenceTest, LeaveSavesPlaysTheSoundToItsEndThenEnds)
{
    withExitSound();
    exitWith(ExitSequence::Leave).ComandPanelBottomRightClick();
    EXPECT_EQ(journal, QStringList({"save", "wait " + dir.file("exit.wav"), "quit"}));
    EXPECT_TRUE(requests().isEmpty());
}

TEST_F(ExitSequenceTest, WithoutExitSoundLeaveEndsAtOnce)
{
    exitWith(ExitSequence::Leave).ComandPanelBottomRightClick();
    EXPECT_EQ(journal, QStringList({"save", "quit"}));
}

TEST_F(ExitSequenceTest, ShellIsStartedBeforeTheEndAndAFailedSaveStopsNothing)
{
    saveFails = true;
    withExitSound();
    exitWith(ExitSequence::LeaveWithShell).ComandPanelBottomRightClick();
    EXPECT_EQ(journal, QStringList({"save", "wait " + dir.file("exit.wav"), "quit"}));
    EXPECT_EQ(requests(), QStringList{"shell startx --kiosk"});
}

TEST_F(ExitSequenceTest, ShutdownAndPowerOffAreRequestedAndTheProgramRunsOn)
{
    exitWith(ExitSequence::Halt).ComandPanelBottomRightClick();
    exitWith(ExitSequence::PowerOff).ComandPanelBottomRightClick();
    EXPECT_EQ(requests(), QStringList({"halt", "powerOff"}));
    EXPECT_FALSE(journal.contains("quit"));
}

TEST_F(ExitSequenceTest, StandbyAndHibernateOnlyWhenAllowed)
{
    withExitSound();
    exitWith(ExitSequence::Standby).ComandPanelBottomRightClick();
    exitWith(ExitSequence::Hibernate).ComandPanelBottomRightClick();
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_EQ(journal.count("save"), 2);
    EXPECT_EQ(journal.count("wait " + dir.file("exit.wav")), 2);

    power.suspendAllowed = true;
    exitWith(ExitSequence::Standby).ComandPanelBottomRightClick();
    exitWith(ExitSequence::Hibernate).ComandPanelBottomRightClick();
    power.hibernateAllowed = true;
    exitWith(ExitSequence::Hibernate).ComandPanelBottomRightClick();
    EXPECT_EQ(requests(), QStringList({"suspend", "hibernate"}));
    EXPECT_FALSE(journal.contains("quit"));
}

TEST_F(ExitSequenceTest, NoChoiceOnlySavesAndPlays)
{
    withExitSound();
    exitWith(-1).ComandPanelBottomRightClick();
    exitWith(6).ComandPanelBottomRightClick();
    EXPECT_EQ(journal.count("quit"), 0);
    EXPECT_EQ(journal.count("save"), 2);
    EXPECT_TRUE(requests().isEmpty());
}
