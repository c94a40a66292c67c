#pragma once

#include "platform/GammaRamp.h"

#include <QList>

// A gamma ramp that changes no display and keeps every table it was given.
class RecordingGammaRamp : public GammaRamp {
public:
    void apply(const Table &table) override { m_applied.append(table); }
    const QList<Table> &applied() const { return m_applied; }

private:
    QList<Table> m_applied;
};
