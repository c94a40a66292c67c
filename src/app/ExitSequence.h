#pragma once

#include <QString>

#include <functional>

class PowerManager;
class SoundPlayer;

// Exit, in its order: save the settings, play "exit.wav" to its end, then act on the exit
// choice. Each step is independent: a failed one doesn't stop the next.
class ExitSequence {
public:
    enum Choice { Leave, LeaveWithShell, Halt, PowerOff, Standby, Hibernate };

    struct Actions {
        std::function<void()> saveSettings;
        std::function<int()> exitChoice; // -1..5
        std::function<QString()> shellCommand;
        std::function<void()> quit; // ends the program
    };

    ExitSequence(QString programDir, SoundPlayer &sound, PowerManager &power, Actions actions);

    void ComandPanelBottomRightClick();

private:
    void act(int choice);

    QString m_programDir;
    SoundPlayer &m_sound;
    PowerManager &m_power;
    Actions m_actions;
};
