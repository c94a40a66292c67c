#pragma once

#include <QString>

// Where trace lines go: the CAN trace of the options screen. AddTrace puts the time in
// the long time format and a space in front of message.
class TraceSink {
public:
    virtual ~TraceSink() = default;
    virtual void AddTrace(const QString &message) = 0;
};
