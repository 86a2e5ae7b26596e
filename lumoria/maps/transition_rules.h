// The per-pixel rules of the mask transitions. A mask pixel's red byte m
// sets where the transition stands for the dest pixel under it: the
// threshold t. Only the dest pixel's alpha byte changes.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria/int32.h"

namespace lumoria {

// One frame of a transition, as the caller passed it. `spread` is
// total - softness: the position by which the brightest mask value starts
// to change.
struct TransitionFrame {
    int32_t progress;
    int32_t spread;
    int32_t softness;
};

inline TransitionFrame transition_frame(int32_t progress, int32_t total, int32_t softness) {
    return TransitionFrame{progress, wrap_sub(total, softness), softness};
}

// How far the transition has gone past mask value m: <= 0 not reached yet,
// 1..softness inside the soft edge, beyond that done. Arguments far out of
// range wrap like a 32-bit machine's arithmetic.
inline int32_t threshold(const TransitionFrame& f, uint8_t m) {
    return wrap_sub(f.progress, wrap_mul(m, f.spread) / 255);
}

// The share t / softness of alpha, for 0 < t <= softness. The product is
// taken in 64 bits, so the result always lies between 0 and alpha.
inline uint8_t alpha_share(uint8_t alpha, int32_t t, int32_t softness) {
    return static_cast<uint8_t>(int64_t{alpha} * t / softness);
}

// Fading in: hidden until reached, growing across the soft edge, then kept.
inline void transition_in_pixel(uint8_t& alpha, uint8_t m, const TransitionFrame& f) {
    const int32_t t = threshold(f, m);
    if (t > 0 && t <= f.softness) {
        alpha = alpha_share(alpha, t, f.softness);
    } else if (t <= 0) {
        alpha = 0;
    }
}

// Fading out: kept until reached, shrinking across the soft edge, then gone.
inline void transition_out_pixel(uint8_t& alpha, uint8_t m, const TransitionFrame& f) {
    const int32_t t = threshold(f, m);
    if (t > 0 && t <= f.softness) {
        alpha = static_cast<uint8_t>(alpha - alpha_share(alpha, t, f.softness));
    } else if (t > f.softness) {
        alpha = 0;
    }
}

}  // namespace lumoria
