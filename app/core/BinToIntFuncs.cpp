#include "app/core/BinToIntFuncs.h"

#include <algorithm>

namespace {

uint32_t Power2Bits(int32_t k)
{
    if (k <= 0)
        return 1;
    return k >= 32 ? 0u : (uint32_t{1} << k);
}

} // namespace

int32_t IntPower2(int32_t k) { return static_cast<int32_t>(Power2Bits(k)); }

int32_t BitsToInt(int32_t n, std::span<const uint8_t> bits)
{
    const size_t count = n <= 0 ? 0 : std::min(static_cast<size_t>(n), bits.size());
    uint32_t sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += uint32_t{bits[i]} * Power2Bits(static_cast<int32_t>(i));
    return static_cast<int32_t>(sum);
}
