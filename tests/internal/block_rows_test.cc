// pixelize's block sums: every vector set against the plain sum on random
// blocks, narrow ones (tails of every length), tall ones and wide ones whose
// 16-bit lanes are emptied many times over; bytes biased to 255, where the
// lanes come closest to overflowing. The fills, the blocks 8 pixels wide,
// and the means' multiply.
#include "lumoria/effects/pixelize/block_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

TEST(BlockRows, EverySetGivesThePlainSums) {
    std::mt19937 rng(21);
    for (const auto& set : vector_sets_of(kBlockVariants)) {
        for (int i = 0; i < 600; ++i) {
            const int64_t width = 1 + (i % 3 == 2 ? rng() % 3000 : rng() % 70);
            const int64_t height = 1 + (i % 5 == 4 ? rng() % 300 : rng() % 20);
            const int64_t stride_pixels = width + rng() % 5;
            std::vector<uint8_t> pixels(static_cast<size_t>(stride_pixels * height * 4));
            const bool bright = rng() % 2;
            for (uint8_t& b : pixels) b = bright && rng() % 4 ? 255 : static_cast<uint8_t>(rng());
            // The first row is the top one, highest in memory.
            const uint8_t* first = pixels.data() + (height - 1) * stride_pixels * 4;
            const auto stride = static_cast<uintptr_t>(stride_pixels * 4);
            ChannelSums plain, fast;
            kPlainBlockRows.sum(first, stride, width, height, plain);
            set.rows->sum(first, stride, width, height, fast);
            ASSERT_TRUE(plain.blue == fast.blue && plain.green == fast.green &&
                        plain.red == fast.red && plain.alpha == fast.alpha)
                << set.name << " " << width << " x " << height;
        }
    }
}

// The fills of every set against the plain fill, on blocks of every width
// up to 70 inside wider rows: nothing outside the block changes.
TEST(BlockRows, EverySetFillsThePlainBlock) {
    std::mt19937 rng(23);
    for (const auto& set : vector_sets_of(kBlockVariants)) {
        for (int64_t width = 1; width <= 70; ++width) {
            const int64_t height = 1 + static_cast<int64_t>(rng() % 5);
            const int64_t stride_pixels = width + 2 + static_cast<int64_t>(rng() % 3);
            std::vector<uint8_t> start(static_cast<size_t>(stride_pixels * (height + 1) * 4));
            for (uint8_t& b : start) b = static_cast<uint8_t>(rng());
            const auto stride = static_cast<uintptr_t>(stride_pixels * 4);
            // The block's top row is its highest in memory, a pixel in from
            // the left, with a row and more around it.
            const size_t first = static_cast<size_t>(height * stride_pixels * 4 + 4);
            const uint32_t value = static_cast<uint32_t>(rng());
            std::vector<uint8_t> plain = start, fast = start;
            kPlainBlockRows.fill(plain.data() + first - stride, stride, width, height, value);
            set.rows->fill(fast.data() + first - stride, stride, width, height, value);
            ASSERT_EQ(plain, fast) << set.name << " " << width << " x " << height;
        }
    }
}

// Blocks 8 pixels wide, flattened several to a vector, against the plain
// blocks one by one: odd and even counts inside wider rows, and blocks as
// tall as the routine takes, bright, where the sums and the float quotient
// come closest to their limits.
TEST(BlockRows, EverySetFlattensThePlain8WideBlocks) {
    std::mt19937 rng(24);
    for (const auto& set : vector_sets_of(kBlockVariants)) {
        if (!set.rows->flatten_8_wide) continue;
        for (int i = 0; i < 200; ++i) {
            const int64_t blocks = 1 + static_cast<int64_t>(rng() % 40);
            const int64_t height =
                i < 4 ? kLargest8WideHeight - i % 2 : 1 + static_cast<int64_t>(rng() % 20);
            const int64_t stride_pixels = blocks * 8 + 2 + static_cast<int64_t>(rng() % 9);
            std::vector<uint8_t> start(static_cast<size_t>(stride_pixels * (height + 1) * 4));
            const bool bright = i < 4 || rng() % 2;
            for (uint8_t& b : start) b = bright && rng() % 8 ? 255 : static_cast<uint8_t>(rng());
            const auto stride = static_cast<uintptr_t>(stride_pixels * 4);
            // The top row is the highest in memory, a pixel in from the left.
            const size_t first = static_cast<size_t>(height * stride_pixels * 4 + 4) - stride;
            std::vector<uint8_t> plain = start, fast = start;
            kPlainBlockRows.flatten_8_wide(plain.data() + first, stride, blocks, height);
            set.rows->flatten_8_wide(fast.data() + first, stride, blocks, height);
            ASSERT_EQ(plain, fast) << set.name << " " << blocks << " blocks x " << height;
        }
    }
}

// The multiply that stands for pixelize's division, on every count up to
// 4096 and sampled counts up to the largest, at the sums where truncation
// turns (multiples of the count and just below) and at random ones.
TEST(MeanDivisor, GivesTheTruncatedMean) {
    std::mt19937_64 rng(22);
    for (uint64_t count = 1; count <= MeanDivisor::kLargestCount;
         count += count < 4096 ? 1 : 1 + rng() % 509) {
        const MeanDivisor divisor(count);
        for (int i = 0; i < 64; ++i) {
            const uint64_t mean = rng() % 256;
            uint64_t sum = mean * count + (i % 4 == 0 ? 0 : rng() % count);
            if (i % 4 == 1 && sum > 0) sum = mean * count - (mean > 0 ? 1 : 0);
            ChannelSums sums;
            sums.blue = sums.green = sums.red = sums.alpha = sum;
            uint8_t out[4];
            divisor.store_mean(sums, out);
            ASSERT_EQ(out[0], sum / count) << sum << " / " << count;
        }
    }
}

}  // namespace
}  // namespace lumoria
