// The walk of a row a vector at a time, for any instruction set `V` of
// host/vector_sse2.h, host/vector_avx2.h or host/vector_avx512.h. Included
// only after one of them, by files built for that instruction set; internal
// to each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/host_bitmap.h"

namespace host {
namespace {

// Runs kernel(x, pixels, out, in) over rows of `width` pixels: `out` points
// at the V::kBytes bytes from pixel x of the row that is rewritten, `in` at
// the same pixels of a row that is only read. Whole vectors are worked in
// place, with `pixels` = V::kPixels; the last few pixels are copied into
// zero-padded buffers, worked there with `pixels` the number that are the
// row's, and copied back, so that nothing outside the rows is read or
// written.
template <class V, class Kernel>
void each_vector(int32_t width, uint8_t* out, const uint8_t* in, Kernel kernel) {
    int32_t x = 0;
    for (; width - x >= V::kPixels; x += V::kPixels) {
        const ptrdiff_t at = static_cast<ptrdiff_t>(x) * kPixelBytes;
        kernel(x, V::kPixels, out + at, in + at);
    }
    if (x >= width) return;
    const ptrdiff_t at = static_cast<ptrdiff_t>(x) * kPixelBytes;
    const size_t bytes = static_cast<size_t>(width - x) * kPixelBytes;
    alignas(V::kBytes) uint8_t out_tail[V::kBytes] = {}, in_tail[V::kBytes] = {};
    std::memcpy(out_tail, out + at, bytes);
    std::memcpy(in_tail, in + at, bytes);
    kernel(x, width - x, out_tail, static_cast<const uint8_t*>(in_tail));
    std::memcpy(out + at, out_tail, bytes);
}

// The same over one row rewritten in place: kernel(x, pixels, out).
template <class V, class Kernel>
void each_vector(int32_t width, uint8_t* row, Kernel kernel) {
    each_vector<V>(
        width, row, row,
        [&](int32_t x, int32_t pixels, uint8_t * out, const uint8_t*)
            __attribute__((always_inline)) { kernel(x, pixels, out); });
}

}  // namespace
}  // namespace host
