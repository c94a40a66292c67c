#include "platform/MpvSeekState.h"

quint64 MpvSeekState::ask()
{
    m_stage = Stage::Asked;
    return ++m_last;
}

bool MpvSeekState::replied(quint64 id, bool accepted)
{
    if (id != m_last || m_stage != Stage::Asked)
        return false;
    m_stage = accepted ? Stage::Accepted : Stage::None;
    return !accepted;
}

void MpvSeekState::started()
{
    if (m_stage == Stage::Accepted)
        m_stage = Stage::Started;
}

bool MpvSeekState::restarted()
{
    if (m_stage != Stage::Started)
        return false;
    m_stage = Stage::None;
    return true;
}
