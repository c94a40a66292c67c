#pragma once

#include <QtGlobal>

// The six command keys that knob, keyboard, mouse wheel and steering wheel all end in,
// as 16-bit key codes, and the folding of four more keys onto them.
class CommandKey {
public:
    static constexpr quint16 R = 82;
    static constexpr quint16 L = 76;
    static constexpr quint16 C = 67;
    static constexpr quint16 Q = 81;
    static constexpr quint16 T = 84;
    static constexpr quint16 Z = 90;

    static constexpr quint16 Enter = 13;
    static constexpr quint16 Space = 32;
    static constexpr quint16 Alt = 18;
    static constexpr quint16 Ctrl = 17;

    // Enter, Space, Alt and Ctrl become C, Q, T and Z; every other code stays.
    static quint16 fold(quint16 key);
    // The key code of a Qt key: letters and digits keep their code, Return, Enter, Space,
    // Alt and Control take the codes above, anything else gives 0.
    static quint16 fromQtKey(int qtKey);
};
