#include "serial/CommNotification.h"

#include <cstring>

QEvent::Type CommNotification::eventType()
{
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

CommNotification::CommNotification(Key, Kind kind, std::unique_ptr<char[]> buffer, quint32 count)
    : QEvent(eventType()), m_kind(kind), m_buffer(std::move(buffer)), m_count(count)
{
}

std::unique_ptr<CommNotification> CommNotification::data(const char *bytes, quint32 count)
{
    auto buffer = std::make_unique<char[]>(size_t(count) + 1); // zero-filled
    std::memcpy(buffer.get(), bytes, count);
    return std::make_unique<CommNotification>(Key(), Kind::Data, std::move(buffer), count);
}

std::unique_ptr<CommNotification> CommNotification::hangup()
{
    return std::make_unique<CommNotification>(Key(), Kind::Hangup, nullptr, 0);
}
