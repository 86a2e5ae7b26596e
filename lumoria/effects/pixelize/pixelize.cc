// pixelize: the surface cut into blocks from the top-left pixel, each block
// replaced by the mean of its own pixels. Blocks at the right and bottom
// edges are cut to the surface.
#include <algorithm>
#include <cmath>

#include "host/host_bitmap.h"
#include "host/row_order.h"
#include "lumoria.h"
#include "lumoria/effects/pixelize/block_rows.h"
#include "lumoria/transfer/rect.h"

namespace lumoria {
namespace {

// How many blocks of `block` pixels cover `size` pixels (both positive): the
// quotient narrowed to a 32-bit float, its ceiling, truncated. That is the
// exact ceiling for sizes below 2^24; beyond, the float may round up past
// it, and a block starting outside the surface would hold no pixel, so the
// count never exceeds the exact ceiling.
int64_t block_count(int32_t size, int32_t block) {
    const float quotient = static_cast<float>(static_cast<double>(size) / block);
    const float ceiling = static_cast<float>(std::ceil(static_cast<double>(quotient)));
    const int64_t exact = (int64_t{size} + block - 1) / block;
    // ceiling is 1 to 2^31 here, inside the range of a 64-bit integer.
    return std::min(static_cast<int64_t>(ceiling), exact);
}

// Blocks along a block row are summed a run at a time before the run is
// filled: a block's first loads would otherwise wait for the fill of the
// block before it, whose last stores share their cache lines. Blocks do not
// overlap, so the bytes are those of summing and filling each in turn.
constexpr int64_t kBlocksPerRun = 32;

// The means of the blocks j0 .. j0 + count - 1 of the block row from y0,
// `height` rows (the block height cut to the surface), then their fills,
// each block cut to the surface.
void flatten_run(const host::Surface& surface, const BlockRows& rows, int64_t j0, int64_t count,
                 int32_t y0, int32_t block_width, int64_t height) {
    // Every block of the run but the row's last has the full width.
    const auto whole = static_cast<uint64_t>(int64_t{block_width} * height);
    const bool by_multiply = whole <= MeanDivisor::kLargestCount;
    const MeanDivisor divisor(by_multiply ? whole : 1);
    // Block j's left column, and its width cut to the surface. Every block
    // starts inside the surface, so its corner fits 32 bits.
    const auto left = [&](int64_t j) { return static_cast<int32_t>((j0 + j) * block_width); };
    const auto cut_width = [&](int32_t x0) {
        return std::min<int64_t>(block_width, int64_t{surface.width} - x0);
    };
    uint8_t means[kBlocksPerRun][host::kPixelBytes];
    for (int64_t j = 0; j < count; ++j) {
        const int32_t x0 = left(j);
        const int64_t width = cut_width(x0);
        ChannelSums sums;
        rows.sum(surface.pixel(x0, y0), surface.stride(), width, height, sums);
        if (by_multiply && width == block_width)
            divisor.store_mean(sums, means[j]);
        else
            store_mean(sums, static_cast<uint64_t>(width * height), means[j]);
    }
    for (int64_t j = 0; j < count; ++j) {
        const int32_t x0 = left(j);
        const uint8_t* mean = means[j];
        uint8_t* first = surface.pixel(x0, y0);
        if (host::kPlainBuild) {
            // height is the block height cut as fill_rect_raw cuts it.
            fill_rect_raw(surface.width, surface.height, first, x0, y0, block_width,
                          static_cast<int32_t>(height), mean[host::kRed], mean[host::kGreen],
                          mean[host::kBlue], mean[host::kAlpha]);
        } else {
            // The block as fill_rect_raw cuts it, written by the rows' own
            // stores.
            rows.fill(first, surface.stride(), cut_width(x0), height,
                      fill_value(mean[host::kRed], mean[host::kGreen], mean[host::kBlue],
                                 mean[host::kAlpha]));
        }
    }
}

void pixelize_pass(const host::Surface& surface, int32_t block_width, int32_t block_height) {
    // No block to process: a block size or a surface size of 0 or less.
    if (block_width <= 0 || block_height <= 0 || surface.width <= 0 || surface.height <= 0) return;
    // Blocks of one pixel are their own means.
    if (block_width == 1 && block_height == 1) return;

    const BlockRows& block_rows = kBlockVariants.for_this_cpu();
    const int64_t columns = block_count(surface.width, block_width);
    const int64_t rows = block_count(surface.height, block_height);
    // Blocks 8 pixels wide go several to a vector where the set can: all
    // but a last one cut by the right edge.
    const bool by_8_wide = !host::kPlainBuild && block_rows.flatten_8_wide && block_width == 8;
    const int64_t whole_8_wide = by_8_wide ? surface.width / 8 : 0;
    // Blocks are apart: any order of block rows will do.
    host::each_row_rising(int64_t{0}, rows, [&](int64_t i) {
        const auto y0 = static_cast<int32_t>(i * block_height);
        const int64_t height = std::min<int64_t>(block_height, int64_t{surface.height} - y0);
        int64_t first_column = 0;
        if (whole_8_wide > 0 && height <= kLargest8WideHeight) {
            block_rows.flatten_8_wide(surface.pixel(0, y0), surface.stride(), whole_8_wide, height);
            first_column = whole_8_wide;
        }
        for (int64_t j0 = first_column; j0 < columns; j0 += kBlocksPerRun)
            flatten_run(surface, block_rows, j0, std::min(kBlocksPerRun, columns - j0), y0,
                        block_width, height);
    });
}

}  // namespace

}  // namespace lumoria

LUMORIA_BOOL pixelize(int32_t dest, int32_t block_width, int32_t block_height) {
    host::Surface surface;
    if (!host::resolve(dest, surface)) return false;
    lumoria::pixelize_pass(surface, block_width, block_height);
    return true;
}
