// 32-bit integer arithmetic as the engine's scripts expect it: sums and
// products wrap like a 32-bit machine's instead of overflowing, divisions
// truncate toward zero, and a stored channel is the low 8 bits of its value.
#pragma once

#include <cstdint>

namespace lumoria {

inline int32_t wrap_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
inline int32_t wrap_sub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}
inline int32_t wrap_mul(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// Truncating division; the one overflowing case, INT32_MIN / -1, wraps.
// The divisor must not be 0.
inline int32_t div_trunc(int32_t n, int32_t d) { return d == -1 ? wrap_sub(0, n) : n / d; }

inline uint8_t low8(int32_t v) { return static_cast<uint8_t>(static_cast<uint32_t>(v)); }

}  // namespace lumoria
