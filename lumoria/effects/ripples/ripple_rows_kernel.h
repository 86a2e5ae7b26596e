// The ripples' vector rows for a vector set V of host/vector_*.h with
// gathers (AVX2, AVX-512), a pixel a 32-bit lane. A column ripple's row
// gathers each pixel from its column's source row, the lanes whose strip
// does not cover the row left at zero. A ring row takes the distances in
// 32-bit float lanes and gathers their factors. Included only by the file
// built for that set, after its header.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria/effects/ripples/ripple_rows.h"

namespace lumoria {
namespace {

template <class V>
struct RippleLanes {
    using U32 = typename V::U32;
    using I32 = typename V::I32;
    using F32 = typename V::F32;

    static I32 load_ints(const int32_t* p) {
        return (I32)V::load(reinterpret_cast<const uint8_t*>(p));
    }

    static void gather_columns(uint8_t* dest, uintptr_t src_row, const ColumnPlaces& places,
                               int32_t first, int32_t end, int32_t y) {
        const I32 row = V::splat_i32(y);
        const auto* base = reinterpret_cast<const void*>(src_row);
        int32_t c = first;
        for (; end - c >= V::kPixels; c += V::kPixels) {
            const I32 covered =
                (load_ints(places.top + c) <= row) & (load_ints(places.end + c) > row);
            V::store(dest + static_cast<ptrdiff_t>(c) * host::kPixelBytes,
                     V::template gather_32<1>(base, load_ints(places.offset + c), covered));
        }
        place_columns(dest, src_row, places, c, end, y);
    }

    // Blue, green and red of each pixel scaled by its lane's factor,
    // saturated to 0..255, alpha kept: exactly scaled_channel's truncated
    // double product, in integers. A positive normal factor is
    // M * 2^(E - 150), M its 24-bit mantissa with the hidden bit and E its
    // exponent, so byte * factor truncated is (byte * M) >> (150 - E), the
    // product below 2^32; shifts of 32 or more give 0, and a shift below 0
    // (factors of 2^23 and more) may be taken as 0, which saturates every
    // byte but 0 all the same. Zero, negative and subnormal factors give 0.
    // (The factors are finite: no infinity or NaN reaches here.)
    static U32 scale_pixels(U32 pixels, F32 factors) {
        const I32 bits = (I32)factors;
        const I32 normal = bits > 0x007FFFFF;
        const U32 mantissa = (U32)(normal & ((bits & 0x007FFFFF) | 0x00800000));
        const U32 shift = (U32)V::max_i32(150 - (I32)((U32)bits >> 23), I32{});
        const U32 alpha = pixels & 0xFF000000u;
        return alpha | scaled<0>(pixels, mantissa, shift) | scaled<8>(pixels, mantissa, shift) |
               scaled<16>(pixels, mantissa, shift);
    }

    // The byte `kAt` bits up in each lane, scaled, in its place.
    template <int kAt>
    static U32 scaled(U32 pixels, U32 mantissa, U32 shift) {
        const U32 byte = V::splat_u32(0xFF);
        const U32 product = ((pixels >> kAt) & byte) * mantissa;
        return V::min_u32(V::shift_right_u32(product, shift), byte) << kAt;
    }

    static void scale_ring_row(uint8_t* first, int64_t width, int64_t first_dx, float dy_squared,
                               const RingTable& rings) {
        const F32 dy2 = V::splat_f32(dy_squared);
        const I32 nearest = V::splat_i32(static_cast<int32_t>(rings.first_distance));
        const I32 size = V::splat_i32(static_cast<int32_t>(rings.size));
        // Beyond the radius: every byte as it is.
        const U32 keep = (U32)V::splat_f32(1.0f);
        int64_t i = 0;
        for (; width - i >= V::kPixels; i += V::kPixels) {
            // The steps, squares, sum and root in the same 32-bit floats as
            // the plain rule; a float's square root rounded once is the
            // double root rounded to float.
            const F32 dx =
                V::to_floats(V::splat_i32(static_cast<int32_t>(first_dx + i)) + V::lane_numbers());
            const I32 entry = V::truncate(V::sqrt_f32(dx * dx + dy2)) - nearest;
            const I32 inside = (entry >= 0) & (entry < size);
            const F32 factors = (F32)V::template gather_32<4>(rings.factors, entry, inside, keep);
            uint8_t* p = first + i * host::kPixelBytes;
            V::store(p, scale_pixels(V::load(p), factors));
        }
        ring_row(first + i * host::kPixelBytes, width - i, first_dx + i, dy_squared, rings);
    }
};

}  // namespace
}  // namespace lumoria
