// pixelize's block sums and fills with AVX-512, and blocks 8 pixels wide
// two to a vector.
#include "lumoria/effects/pixelize/block_rows.h"

#if HOST_X86_VECTORS
#include <algorithm>

#include "host/vector_avx512.h"
#include "lumoria/effects/pixelize/block_rows_kernel.h"

namespace lumoria {
namespace {

using V = host::Avx512;

// A vector holds two blocks' rows of 8 pixels. Its bytes are regrouped so
// that each 64-bit lane holds one byte place of one block's row, which one
// byte-sum adds up: lanes 0-3 the places 0-3 of the left block, 4-7 of the
// right one.
V::U32 byte_places_by_block() {
    uint8_t index[V::kBytes];
    for (int lane = 0; lane < 8; ++lane)
        for (int pixel = 0; pixel < 8; ++pixel)
            index[lane * 8 + pixel] =
                static_cast<uint8_t>(((lane / 4) * 8 + pixel) * host::kPixelBytes + lane % 4);
    return V::load(index);
}

// The means, one a 64-bit lane as the sums are, regrouped as pixels: the
// left block's to pixels 0-7, the right one's to 8-15.
V::U32 pixels_of_means() {
    uint8_t index[V::kBytes];
    for (int pixel = 0; pixel < 16; ++pixel)
        for (int place = 0; place < host::kPixelBytes; ++place)
            index[pixel * host::kPixelBytes + place] =
                static_cast<uint8_t>(((pixel / 8) * 4 + place) * 8);
    return V::load(index);
}

// The blocks of a run are all summed before any is filled: a block's loads
// would otherwise wait on the stores of its neighbour, which share their
// cache lines.
constexpr int64_t kPairsPerRun = 16;

void flatten_8_wide(uint8_t* first, uintptr_t stride, int64_t blocks, int64_t height) {
    const V::U32 places = byte_places_by_block();
    const V::U32 to_pixels = pixels_of_means();
    // The float mean of channel_sums.h (kLargest8WideHeight keeps to it).
    const V::F32 count = V::splat_f32(static_cast<float>(8 * height));
    // The rows of a pair summed, read by `load`: an odd last block alone,
    // its neighbour loaded as zeros and never stored.
    const auto sum_rows = [&](const uint8_t* top, auto load) {
        V::U64 sums{};
        for (int64_t k = 0; k < height; ++k)
            sums += V::sum_bytes_64(
                V::permute_8(places, load(top - static_cast<uintptr_t>(k) * stride)));
        return sums;
    };
    const auto fill_rows = [&](uint8_t* top, auto store) {
        for (int64_t k = 0; k < height; ++k) store(top - static_cast<uintptr_t>(k) * stride);
    };
    for (int64_t run_start = 0; run_start < blocks; run_start += 2 * kPairsPerRun) {
        const int64_t pairs = std::min<int64_t>((blocks - run_start + 1) / 2, kPairsPerRun);
        V::U32 fills[kPairsPerRun];
        for (int64_t p = 0; p < pairs; ++p) {
            const int64_t left = run_start + 2 * p;
            const uint8_t* top = first + left * 8 * host::kPixelBytes;
            const V::U64 sums = left + 1 < blocks
                                    ? sum_rows(top, [](const uint8_t* row) { return V::load(row); })
                                    : sum_rows(top, [](const uint8_t* row) {
                                          return V::load_first_pixels(row, 8);
                                      });
            // The sums, below 2^24, are the low 32-bit halves of their lanes;
            // the high halves are 0 and give means of 0, unused.
            const V::I32 means = V::truncate(V::to_floats((V::I32)sums) / count);
            fills[p] = V::permute_8(to_pixels, (V::U32)means);
        }
        for (int64_t p = 0; p < pairs; ++p) {
            const int64_t left = run_start + 2 * p;
            uint8_t* top = first + left * 8 * host::kPixelBytes;
            const V::U32 fill = fills[p];
            if (left + 1 < blocks)
                fill_rows(top, [fill](uint8_t* row) { V::store(row, fill); });
            else
                fill_rows(top, [fill](uint8_t* row) { V::store_first_pixels(row, fill, 8); });
        }
    }
}

}  // namespace

const BlockRows kAvx512BlockRows{vector_sum<host::Avx512>, vector_fill<host::Avx512>,
                                 flatten_8_wide};

}  // namespace lumoria
#endif
