#pragma once

#include "core/TraceSink.h"

// A trace that keeps nothing: the window's trace until the CAN trace takes its place.
class NullTraceSink : public TraceSink {
public:
    void AddTrace(const QString &) override {}
};
