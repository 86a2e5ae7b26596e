// The nine floats of a Quorvex matrix, drawn from the input.
#pragma once

#include <cmath>

#include "caller_memory.h"
#include "input.h"

namespace fuzz {

// A matrix that does something visible (a turn, a scale, a shift, near the
// identity), with entries replaced by any float, NaN and infinities included.
inline void draw_matrix(Input& in, CallerArray<float>& m) {
    const float turn = static_cast<float>(in.byte()) * (6.2831853f / 256.0f);
    const float scale = in.one_in(2) ? 1.0f : static_cast<float>(in.byte()) / 64.0f;
    const float shape[9] = {scale * std::cos(turn),
                            -scale * std::sin(turn),
                            0.0f,
                            scale * std::sin(turn),
                            scale * std::cos(turn),
                            0.0f,
                            0.0f,
                            0.0f,
                            1.0f};
    for (size_t k = 0; k < 9; ++k) {
        float v = shape[k];
        if (k == 2 || k == 5) v = static_cast<float>(static_cast<int8_t>(in.byte()));
        if (in.one_in(4)) v = in.real();
        m.set(k, v);
    }
}

}  // namespace fuzz
