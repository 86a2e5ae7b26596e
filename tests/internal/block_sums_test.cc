// pixelize's block sums: every vector set against the plain sum on random
// blocks, narrow ones (tails of every length), tall ones and wide ones whose
// 16-bit lanes are emptied many times over; bytes biased to 255, where the
// lanes come closest to overflowing.
#include "lumoria/effects/block_sums.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

TEST(BlockSums, EverySetGivesThePlainSums) {
    std::mt19937 rng(21);
    for (const auto& set : vector_sets_of(kBlockSumVariants)) {
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
            kPlainBlockSums.sum(first, stride, width, height, plain);
            set.rows->sum(first, stride, width, height, fast);
            ASSERT_TRUE(plain.blue == fast.blue && plain.green == fast.green &&
                        plain.red == fast.red && plain.alpha == fast.alpha)
                << set.name << " " << width << " x " << height;
        }
    }
}

}  // namespace
}  // namespace lumoria
