#include "core/Dispatcher.h"

#include "core/CommandKey.h"
#include "core/Navigator.h"

#include <exception>

Dispatcher::Dispatcher(const Navigator &screens) : m_screens(screens) {}

void Dispatcher::setHandler(Context context, KeyContext *handler)
{
    if (context != Context::None)
        m_handlers[size_t(context)] = handler;
}

Dispatcher::Context Dispatcher::context() const { return m_screens.keyOwner(); }

void Dispatcher::FormKeyDown(quint16 &key)
{
    key = CommandKey::fold(key);
    const Context c = context();
    if (c == Context::None)
        return;
    KeyContext *handler = m_handlers[size_t(c)];
    if (!handler)
        return;
    // A failing action ends the handling of this key; the program stays on its screen.
    try {
        handler->commandKey(key);
    } catch (const std::exception &) {
    } catch (...) {
    }
}

void Dispatcher::FormMouseWheelDown()
{
    quint16 key = CommandKey::R;
    FormKeyDown(key);
}

void Dispatcher::FormMouseWheelUp()
{
    quint16 key = CommandKey::L;
    FormKeyDown(key);
}
