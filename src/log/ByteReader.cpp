#include "log/ByteReader.h"

bool ByteReader::take(std::size_t count)
{
    if (!m_ok || count > m_bytes.size() - m_at) {
        m_ok = false;
        return false;
    }
    m_at += count;
    return true;
}

std::string_view ByteReader::text()
{
    const std::size_t length = u16();
    const auto raw = bytes(length);
    return {reinterpret_cast<const char *>(raw.data()), raw.size()};
}

std::span<const std::byte> ByteReader::bytes(std::size_t count)
{
    if (!take(count))
        return {};
    return m_bytes.subspan(m_at - count, count);
}

bool ByteReader::holds(std::uint64_t count, std::size_t itemSize) const
{
    return m_ok && itemSize > 0 && count <= remaining() / itemSize;
}
