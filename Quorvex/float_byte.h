// The library's one float-to-byte rule: truncate toward zero to a signed
// 32-bit integer and keep its low eight bits. No rounding, no clamping:
// 255.9 stores 255, 256.0 stores 0 and -1.0 stores 255.
#pragma once

#include <cstdint>

namespace quorvex {

// A NaN, or a value whose truncation does not fit 32 bits, stores 0. The range
// is tested before converting, since converting such a value is undefined.
// -2^31 is the lowest float that truncates into range and 2^31 the first one
// above it.
inline uint8_t float_to_byte(float value) {
    if (!(value >= -2147483648.0f && value < 2147483648.0f)) return 0;
    return static_cast<uint8_t>(static_cast<uint32_t>(static_cast<int32_t>(value)));
}

}  // namespace quorvex
