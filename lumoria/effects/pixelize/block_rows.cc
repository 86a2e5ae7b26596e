#include "lumoria/effects/pixelize/block_rows.h"

#include <cstring>

namespace lumoria {
namespace {

// Adds `width` pixels from `pixels` rightwards to `sums`.
void add_row(const uint8_t* pixels, int64_t width, ChannelSums& sums) {
    for (int64_t i = 0; i < width; ++i) add_pixel(sums, pixels + i * host::kPixelBytes);
}

void plain_sum(const uint8_t* first, uintptr_t stride, int64_t width, int64_t height,
               ChannelSums& sums) {
    for (int64_t k = 0; k < height; ++k)
        add_row(first - static_cast<uintptr_t>(k) * stride, width, sums);
}

void plain_fill(uint8_t* first, uintptr_t stride, int64_t width, int64_t height, uint32_t value) {
    for (int64_t k = 0; k < height; ++k) {
        uint8_t* row = first - static_cast<uintptr_t>(k) * stride;
        for (int64_t i = 0; i < width; ++i)
            std::memcpy(row + i * host::kPixelBytes, &value, sizeof value);
    }
}

void plain_flatten_8_wide(uint8_t* first, uintptr_t stride, int64_t blocks, int64_t height) {
    constexpr int64_t kWidth = 8;
    for (int64_t j = 0; j < blocks; ++j) {
        uint8_t* block = first + j * kWidth * host::kPixelBytes;
        ChannelSums sums;
        plain_sum(block, stride, kWidth, height, sums);
        uint8_t mean[host::kPixelBytes];
        store_mean(sums, static_cast<uint64_t>(kWidth * height), mean);
        uint32_t value;
        std::memcpy(&value, mean, sizeof value);
        plain_fill(block, stride, kWidth, height, value);
    }
}

}  // namespace

const BlockRows kPlainBlockRows{plain_sum, plain_fill, plain_flatten_8_wide};

const host::Variants<BlockRows> kBlockVariants{{
    &kPlainBlockRows,
    HOST_IF_X86_VECTORS(&kSse2BlockRows),
    HOST_IF_X86_VECTORS(&kAvx2BlockRows),
    HOST_IF_X86_VECTORS(&kAvx512BlockRows),
}};

}  // namespace lumoria
