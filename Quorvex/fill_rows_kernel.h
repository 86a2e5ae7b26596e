// The fill_color row for a vector instruction set `V` of host/vector_*.h:
// each vector of pixels keeps its alpha bytes and takes the colour in the
// others. Included only by the files built for that instruction set.
#pragma once

#include <cstdint>

#include "host/vector_row.h"

namespace quorvex::vector_kernels {

template <class V>
void fill_row(uint8_t* row, int32_t width, uint32_t colour) {
    const typename V::U32 colours = V::splat_u32(colour);
    host::each_vector<V>(width, row, [&](int32_t, int32_t, uint8_t* out) {
        V::store(out, (V::load(out) & 0xFF000000u) | colours);
    });
}

}  // namespace quorvex::vector_kernels
