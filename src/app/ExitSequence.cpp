#include "app/ExitSequence.h"

#include "core/Guarded.h"
#include "platform/PowerManager.h"
#include "platform/SoundPlayer.h"

#include <QFileInfo>

#include <utility>

ExitSequence::ExitSequence(QString programDir, SoundPlayer &sound, PowerManager &power,
                           Actions actions)
    : m_programDir(std::move(programDir)), m_sound(sound), m_power(power),
      m_actions(std::move(actions))
{
}

void ExitSequence::ComandPanelBottomRightClick()
{
    Guarded::run([&] { m_actions.saveSettings(); });
    Guarded::run([&] {
        const QString sound = m_programDir + QStringLiteral("exit.wav");
        if (QFileInfo::exists(sound))
            m_sound.playAndWait(sound);
    });
    int choice = -1;
    Guarded::run([&] { choice = m_actions.exitChoice(); });
    act(choice);
}

void ExitSequence::act(int choice)
{
    switch (choice) {
    case Leave:
        break;
    case LeaveWithShell:
        Guarded::run([&] { m_power.startShell(m_actions.shellCommand()); });
        break;
    // The system ends the program when it shuts down; until then it keeps running.
    case Halt:
        Guarded::run([&] { m_power.halt(); });
        return;
    case PowerOff:
        Guarded::run([&] { m_power.powerOff(); });
        return;
    // After waking up the program shows the screen it showed before.
    case Standby:
        Guarded::run([&] {
            if (m_power.canSuspend())
                m_power.suspend();
        });
        return;
    case Hibernate:
        Guarded::run([&] {
            if (m_power.canHibernate())
                m_power.hibernate();
        });
        return;
    default: // no choice: the program keeps running
        return;
    }
    m_actions.quit();
}
