#include "Quorvex/inverse_map.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace quorvex {
namespace {

// 1 / value in float. A zero gives the infinity of its sign, as the division
// would in IEEE arithmetic, but without dividing by zero.
float reciprocal(float value) {
    if (value == 0.0f) {
        const float infinity = std::numeric_limits<float>::infinity();
        return std::signbit(value) ? -infinity : infinity;
    }
    return 1.0f / value;
}

}  // namespace

InverseMap make_inverse_map(const float* matrix, int32_t src_width, int32_t src_height,
                            int32_t dest_width, int32_t dest_height) {
    // Caller memory promises no alignment.
    float m[9];
    std::memcpy(m, matrix, sizeof m);
    const float m0 = m[0], m1 = m[1], m2 = m[2];
    const float m3 = m[3], m4 = m[4], m5 = m[5];
    const float m6 = m[6], m7 = m[7], m8 = m[8];

    // The third row enters only here and through the cofactors; no point is
    // ever divided by a homogeneous coordinate.
    const float det =
        ((((m0 * m4 * m8 + m3 * m7 * m2) + m1 * m6 * m5) - m6 * m4 * m2) - m1 * m3 * m8) -
        m0 * m7 * m5;
    const float r = reciprocal(det);

    InverseMap map;
    map.a00 = (m4 * m8 - m5 * m7) * r;
    map.a01 = -((m1 * m8 - m2 * m7) * r);
    map.a02 = (m1 * m5 - m2 * m4) * r;
    map.a10 = -((m3 * m8 - m5 * m6) * r);
    map.a11 = (m0 * m8 - m2 * m6) * r;
    map.a12 = -((m0 * m5 - m2 * m3) * r);
    map.dest_cx = static_cast<float>(dest_width) * 0.5f;
    map.dest_cy = static_cast<float>(dest_height) * 0.5f;
    map.src_cx = static_cast<float>(src_width) * 0.5f;
    map.src_cy = static_cast<float>(src_height) * 0.5f;
    map.src_width = static_cast<float>(src_width);
    map.src_height = static_cast<float>(src_height);
    return map;
}

}  // namespace quorvex
