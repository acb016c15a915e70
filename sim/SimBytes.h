// Report buffers and the byte-order helpers the simulated instruments use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace talvo::sim {

// One input or output report as it travels without its report id of 0.
using Report = std::array<std::uint8_t, 64>;

inline void putBe16(Report& r, std::size_t at, std::uint16_t v)
{
    r[at] = std::uint8_t(v >> 8);
    r[at + 1] = std::uint8_t(v);
}

inline void putBe24(Report& r, std::size_t at, std::uint32_t v)
{
    r[at] = std::uint8_t(v >> 16);
    r[at + 1] = std::uint8_t(v >> 8);
    r[at + 2] = std::uint8_t(v);
}

inline void putBe32(Report& r, std::size_t at, std::uint32_t v)
{
    putBe16(r, at, std::uint16_t(v >> 16));
    putBe16(r, at + 2, std::uint16_t(v));
}

inline std::uint16_t be16(const Report& r, std::size_t at)
{
    return std::uint16_t((r[at] << 8) | r[at + 1]);
}

// Copies a text into the report, cut at the field's end; the rest stays zero.
inline void putText(Report& r, std::size_t at, std::size_t fieldLength, const char* text)
{
    for (std::size_t i = 0; i < fieldLength && text[i] != '\0' && at + i < r.size(); ++i)
        r[at + i] = std::uint8_t(text[i]);
}

} // namespace talvo::sim
