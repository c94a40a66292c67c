#pragma once

#include <QtGlobal>

// One row of the dispatcher: what the command keys do on one screen or overlay. The
// owner of that screen implements it; keys it doesn't list do nothing.
class KeyContext {
public:
    virtual ~KeyContext() = default;
    virtual void commandKey(quint16 key) = 0;
};
