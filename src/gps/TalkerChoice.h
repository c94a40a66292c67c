#pragma once

#include <QString>

// Which talker's sentences of one type to use when a receiver sends the same sentence
// from several (GPGGA and GLGGA beside the combined GNGGA): one talker at a time, the
// combined "GN" as soon as it is heard, so that two fixes of the same second never make
// two steps. Another talker takes over only when the chosen one has stayed silent for
// a few of its sentences (a different receiver plugged in).
class TalkerChoice {
public:
    static constexpr int SilenceToSwitch = 3;
    static constexpr QLatin1StringView Combined{"GN"};

    // The combined talker is in this burst: use it from now on.
    void prefer(const QString &talker);
    // Whether a sentence of this talker is the one to use.
    bool accept(const QString &talker);
    QString chosen() const { return m_chosen; }

private:
    QString m_chosen;
    int m_othersSince = 0;
};
