#include "core/CommandKey.h"

#include <Qt>

quint16 CommandKey::fold(quint16 key)
{
    switch (key) {
    case Enter:
        return C;
    case Space:
        return Q;
    case Alt:
        return T;
    case Ctrl:
        return Z;
    default:
        return key;
    }
}

quint16 CommandKey::fromQtKey(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return quint16(qtKey);
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Enter;
    case Qt::Key_Space:
        return Space;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return Alt;
    case Qt::Key_Control:
        return Ctrl;
    default:
        return 0;
    }
}
