// get_pixels' bands with AVX-512 VBMI: four rows of four pixels in one
// register, and one byte permute per column that picks that column's four
// pixels, puts red first and zeroes the upper bytes of each record's ints.
#include "lumoria/readback/record_rows.h"

#if HOST_X86_VECTORS
#include "host/vector_avx512.h"

namespace lumoria {
namespace {

using V = host::Avx512;

// The permute for column j: int c of record k (row k) takes byte
// {red, green, blue, alpha}[c] of pixel j of row k, which sits in dword
// 4 k + j.
V::U32 column_permute(int j) {
    uint8_t index[V::kBytes] = {};
    constexpr int kChannel[4] = {host::kRed, host::kGreen, host::kBlue, host::kAlpha};
    for (int k = 0; k < 4; ++k)
        for (int c = 0; c < 4; ++c)
            index[16 * k + 4 * c] = static_cast<uint8_t>(16 * k + 4 * j + kChannel[c]);
    return V::load(index);
}

// Only the low byte of every int is taken from the permute.
constexpr uint64_t kLowBytes = 0x1111111111111111ull;

void band(const host::Surface& s, int32_t y0, int32_t count, int32_t* out, bool stream) {
    const V::U32 permute[4] = {column_permute(0), column_permute(1), column_permute(2),
                               column_permute(3)};
    band_by_blocks(s, y0, count, out,
                   [&](const uint8_t* p, uintptr_t stride, int32_t* record, size_t step) {
                       const V::U32 rows =
                           V::load_16_bytes_each(p, p - stride, p - 2 * stride, p - 3 * stride);
                       for (int j = 0; j < 4; ++j) {
                           int32_t* at = record + j * step;
                           const V::U32 records = V::permute_8(permute[j], rows, kLowBytes);
                           if (stream && fills_a_line(at))
                               V::stream(reinterpret_cast<uint8_t*>(at), records);
                           else
                               V::store(reinterpret_cast<uint8_t*>(at), records);
                       }
                   });
    if (stream) V::stream_fence();
}

}  // namespace

const RecordRows kAvx512RecordRows{band};

}  // namespace lumoria
#endif
