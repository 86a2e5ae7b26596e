// get_pixels' bands with SSE2: four rows of four pixels transposed into four
// columns, then each pixel widened to its record.
#include "lumoria/readback/record_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_sse2.h"

namespace lumoria {
namespace {

using V = host::Sse2;

// Four pixels of one column (consecutive rows) into their four records:
// bytes widened to 32 bits, then blue and red swapped.
inline void store_records(V::U32 pixels, int32_t* record, bool stream) {
    stream = stream && fills_a_line(record);
    const V::U16 low = V::widen_8_to_16_low(pixels), high = V::widen_8_to_16_high(pixels);
    const V::I32 wide[4] = {V::widen_16_to_32_low(low), V::widen_16_to_32_high(low),
                            V::widen_16_to_32_low(high), V::widen_16_to_32_high(high)};
    for (int k = 0; k < 4; ++k) {
        const V::U32 rgba = V::shuffle_32<2, 1, 0, 3>((V::U32)wide[k]);
        auto* at = reinterpret_cast<uint8_t*>(record + 4 * k);
        if (stream)
            V::stream(at, rgba);
        else
            V::store(at, rgba);
    }
}

inline void block(const uint8_t* p, uintptr_t stride, int32_t* record, size_t step, bool stream) {
    V::U32 row[4];
    for (int k = 0; k < 4; ++k) row[k] = V::load(p - k * stride);
    const V::U32 t0 = V::interleave_32_low(row[0], row[1]);
    const V::U32 t1 = V::interleave_32_low(row[2], row[3]);
    const V::U32 t2 = V::interleave_32_high(row[0], row[1]);
    const V::U32 t3 = V::interleave_32_high(row[2], row[3]);
    store_records(V::interleave_64_low(t0, t1), record, stream);
    store_records(V::interleave_64_high(t0, t1), record + step, stream);
    store_records(V::interleave_64_low(t2, t3), record + 2 * step, stream);
    store_records(V::interleave_64_high(t2, t3), record + 3 * step, stream);
}

void band(const host::Surface& s, int32_t y0, int32_t count, int32_t* out, bool stream) {
    band_by_blocks(s, y0, count, out,
                   [stream](const uint8_t* p, uintptr_t stride, int32_t* record, size_t step) {
                       block(p, stride, record, step, stream);
                   });
    if (stream) V::stream_fence();
}

}  // namespace

const RecordRows kSse2RecordRows{band};

}  // namespace lumoria
#endif
