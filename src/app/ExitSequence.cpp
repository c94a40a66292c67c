#include "app/ExitSequence.h"

#include "platform/PowerManager.h"
#include "platform/SoundPlayer.h"

#include <QFileInfo>

#include <exception>
#include <utility>

namespace {

template <typename Step> void guarded(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    } catch (...) {
    }
}

} // namespace

ExitSequence::ExitSequence(QString programDir, SoundPlayer &sound, PowerManager &power,
                           Actions actions)
    : m_programDir(std::move(programDir)), m_sound(sound), m_power(power),
      m_actions(std::move(actions))
{
}

void ExitSequence::ComandPanelBottomRightClick()
{
    guarded([&] { m_actions.saveSettings(); });
    guarded([&] {
        const QString sound = m_programDir + QStringLiteral("exit.wav");
        if (QFileInfo::exists(sound))
            m_sound.playAndWait(sound);
    });
    int choice = -1;
    guarded([&] { choice = m_actions.exitChoice(); });
    act(choice);
}

void ExitSequence::act(int choice)
{
    switch (choice) {
    case Leave:
        break;
    case LeaveWithShell:
        guarded([&] { m_power.startShell(m_actions.shellCommand()); });
        break;
    // The system ends the program when it shuts down; until then it keeps running.
    case Halt:
        guarded([&] { m_power.halt(); });
        return;
    case PowerOff:
        guarded([&] { m_power.powerOff(); });
        return;
    // After waking up the program shows the screen it showed before.
    case Standby:
        guarded([&] {
            if (m_power.canSuspend())
                m_power.suspend();
        });
        return;
    case Hibernate:
        guarded([&] {
            if (m_power.canHibernate())
                m_power.hibernate();
        });
        return;
    default: // no choice: the program keeps running
        return;
    }
    m_actions.quit();
}
