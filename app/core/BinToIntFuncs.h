#pragma once
// Bit arithmetic for the heater's output byte.
#include <cstdint>
#include <span>

// 2 to the power k; 1 when k <= 0. Computed in 32 bits with wrap-around as a
// 32-bit integer multiplication does: IntPower2(31) is INT32_MIN and
// IntPower2(k) is 0 for k >= 32.
int32_t IntPower2(int32_t k);

// Sum over i = 0..n-1 of bits[i] * IntPower2(i), least significant bit first,
// the bytes taken unsigned; 32-bit wrap-around as IntPower2. Only the first
// min(n, bits.size()) bytes are read; n <= 0 gives 0.
int32_t BitsToInt(int32_t n, std::span<const uint8_t> bits);
