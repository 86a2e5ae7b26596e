// A signed 32-bit integer whose +, - and * wrap like a 32-bit machine's and
// whose / truncates toward zero. Formulas written with it read as the
// integer arithmetic they reproduce and stay defined for any argument value.
#pragma once

#include <compare>
#include <cstdint>

#include "lumoria/int32.h"

namespace lumoria {

struct WrapInt {
    int32_t value;

    constexpr WrapInt(int32_t v) : value(v) {}  // implicit: mixes with literals

    friend WrapInt operator+(WrapInt a, WrapInt b) { return wrap_add(a.value, b.value); }
    friend WrapInt operator-(WrapInt a, WrapInt b) { return wrap_sub(a.value, b.value); }
    friend WrapInt operator*(WrapInt a, WrapInt b) { return wrap_mul(a.value, b.value); }
    // The divisor must not be 0.
    friend WrapInt operator/(WrapInt a, WrapInt b) { return div_trunc(a.value, b.value); }
    friend auto operator<=>(const WrapInt&, const WrapInt&) = default;
};

inline uint8_t low8(WrapInt v) { return low8(v.value); }

}  // namespace lumoria
