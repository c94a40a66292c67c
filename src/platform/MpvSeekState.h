#pragma once

#include <QtGlobal>

// Tells which of mpv's position reports are older than the last seek asked for. mpv reports
// the position of a seek asked for earlier (and of the playback before it) after a newer one
// has been sent; taken as the position, such a report would make the next skip start from the
// wrong place. A seek is done once mpv has accepted the last one asked, started it and restarted
// playback after it; queued seeks that mpv joins into one still end with that one restart.
class MpvSeekState {
public:
    // A new seek: the id to send with its command, so that its reply can be told apart.
    quint64 ask();
    // mpv's reply to a seek command; true when it ends the last seek (it was refused).
    bool replied(quint64 id, bool accepted);
    // mpv began a seek.
    void started();
    // mpv restarted playback after a seek; true when this ends the last seek asked for.
    bool restarted();
    // A film opened or closed: no seek is waited for any more.
    void reset() { m_stage = Stage::None; }
    // Position reports describe an older place while this holds.
    bool pending() const { return m_stage != Stage::None; }

private:
    enum class Stage { None, Asked, Accepted, Started };

    quint64 m_last = 0;
    Stage m_stage = Stage::None;
};
