#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

// Reads numbers and texts from bytes that came from outside, checking every read against
// the end: a read past it fails and leaves the reader failed, so a chain of reads can be
// checked once at its end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::byte> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    std::size_t remaining() const { return m_ok ? m_bytes.size() - m_at : 0; }
    bool atEnd() const { return m_ok && m_at == m_bytes.size(); }

    std::uint8_t u8() { return number<std::uint8_t>(); }
    std::uint16_t u16() { return number<std::uint16_t>(); }
    std::uint32_t u32() { return number<std::uint32_t>(); }
    std::uint64_t u64() { return number<std::uint64_t>(); }
    std::int32_t i32() { return number<std::int32_t>(); }
    double f64() { return number<double>(); }
    // A base-128 number of up to ten bytes, low bits first.
    std::uint64_t varint();
    // A text of a 16-bit length and that many bytes.
    std::string_view text();
    // count bytes as they stand.
    std::span<const std::byte> bytes(std::size_t count);
    // True when count items of itemSize bytes can still be read: counts from the file are
    // checked before anything is reserved for them.
    bool holds(std::uint64_t count, std::size_t itemSize) const;

private:
    template <typename T> T number()
    {
        T value{};
        if (!take(sizeof(T)))
            return value;
        std::memcpy(&value, m_bytes.data() + m_at - sizeof(T), sizeof(T));
        return value;
    }
    bool take(std::size_t count);

    std::span<const std::byte> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};
