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

std::uint64_t ByteReader::varint()
{
    std::uint64_t value = 0;
    for (int shift = 0; shift < 64; shift += 7) {
        const std::uint8_t byte = u8();
        if (!m_ok)
            return 0;
        value |= std::uint64_t(byte & 0x7F) << shift;
        if (!(byte & 0x80))
            return value;
    }
    m_ok = false; // longer than any 64-bit number
    return 0;
}
