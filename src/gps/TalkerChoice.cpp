#include "gps/TalkerChoice.h"

void TalkerChoice::prefer(const QString &talker)
{
    if (m_chosen != talker) {
        m_chosen = talker;
        m_othersSince = 0;
    }
}

bool TalkerChoice::accept(const QString &talker)
{
    if (m_chosen.isEmpty() || talker == m_chosen || talker == Combined) {
        prefer(talker);
        m_othersSince = 0;
        return true;
    }
    if (++m_othersSince < SilenceToSwitch)
        return false;
    prefer(talker);
    return true;
}
