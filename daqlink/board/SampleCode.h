#pragma once
// Turning a board's unsigned sample into the signed 16-bit code of a reading.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>

namespace daqboard {

// A bipolar range delivers offset binary: 0 is the lowest voltage, half of
// (maxdata + 1) is zero volts. The code is the sample minus that half, so zero
// volts reads 0 and the code keeps the voltage's sign. Boards wider than 16
// bits are shifted down to their top 16 bits first; narrower ones keep their
// codes (a 12-bit board reads -2048..2047). Nothing for a board that reports
// no range.
inline std::optional<int16_t> SampleToCode(uint32_t sample, uint32_t maxdata)
{
    if (maxdata == 0)
        return std::nullopt;
    const int width = std::bit_width(maxdata);
    const int shift = width > 16 ? width - 16 : 0;
    const int64_t top = static_cast<int64_t>(maxdata >> shift);
    const int64_t value = std::min<int64_t>(sample >> shift, top);
    const int64_t code = value - (top + 1) / 2;
    return static_cast<int16_t>(std::clamp<int64_t>(code, INT16_MIN, INT16_MAX));
}

} // namespace daqboard
