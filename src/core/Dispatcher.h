#pragma once

#include "core/KeyContext.h"
#include "core/KeyOwner.h"

#include <array>

class Navigator;

// FormKeyDown: turns every command key into the action of the screen and overlay now
// showing; the navigator names who takes it.
class Dispatcher {
public:
    using Context = KeyOwner;

    explicit Dispatcher(const Navigator &screens);

    void setHandler(Context context, KeyContext *handler);
    Context context() const;

    // Key is folded in place (Enter, Space, Alt, Ctrl), then dispatched. Never throws.
    void FormKeyDown(quint16 &key);
    void FormMouseWheelDown();
    void FormMouseWheelUp();

private:
    const Navigator &m_screens;
    std::array<KeyContext *, KeyOwnerCount> m_handlers{};
};
