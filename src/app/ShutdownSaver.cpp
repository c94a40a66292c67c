#include "app/ShutdownSaver.h"

#include "core/Guarded.h"
#include "platform/LogindInhibitor.h"
#include "platform/TerminationSignals.h"

#include <utility>

ShutdownSaver::ShutdownSaver(TerminationSignals &termination, LogindInhibitor &logind,
                             Actions actions, QObject *parent)
    : QObject(parent), m_actions(std::move(actions))
{
    connect(&termination, &TerminationSignals::received, this, [this](int) { terminate(); });
    // Direct: the save runs before the lock is let go.
    connect(
        &logind, &LogindInhibitor::preparing, this,
        [this](bool) { Guarded::run([&] { m_actions.save(); }); }, Qt::DirectConnection);
    connect(&logind, &LogindInhibitor::lockRefused, this, [this](const QString &error) {
        if (m_toldNoLock)
            return;
        m_toldNoLock = true;
        m_actions.systemMessage(NoLock + error);
    });
    if (!logind.hasBus()) {
        m_actions.systemMessage(NoSystemBus);
        return;
    }
    logind.acquire();
}

void ShutdownSaver::terminate()
{
    // A second signal while the first is handled changes nothing.
    if (m_ending)
        return;
    m_ending = true;
    Guarded::run([&] { m_actions.save(); });
    m_actions.quit();
}
