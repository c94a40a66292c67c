#pragma once

#include "platform/PowerStatus.h"

#include <QStringList>

class SystemInfoReader;

// The lines start-up writes into the system-message list: program path, processor,
// clock, memory and the power status line.
class SystemDescription {
public:
    static QStringList startupLines(const QString &programDir, const SystemInfoReader &system);
    // Source + battery + charge, for example
    // "External Power, no battery, no info on % load".
    static QString powerLine(const PowerStatus &status);
};
