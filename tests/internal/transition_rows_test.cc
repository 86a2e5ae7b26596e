// The transitions' multipliers and rows against the literal rules: every
// share (alpha * t) / softness the multipliers stand for, then every set of
// rows on random rows, with the mask in its own row or overlapping dest.
#include "lumoria/maps/transition_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

void expect_exact_share(int32_t t, int32_t softness) {
    const uint16_t scale = share_scale(t, softness);
    for (int32_t alpha = 0; alpha < 256; ++alpha) {
        const auto expected = static_cast<uint8_t>(int64_t{alpha} * t / softness);
        ASSERT_EQ(scale_alpha(static_cast<uint8_t>(alpha), scale), expected)
            << "alpha " << alpha << ", t " << t << ", softness " << softness;
    }
}

// Every t of every softness up to 700 (every fraction of denominator up to
// 255 among them), then random pairs up to the largest softness, many of them
// just below a fraction of small denominator.
TEST(TransitionScales, GiveEveryShareExactly) {
    for (int32_t softness = 1; softness <= 700; ++softness)
        for (int32_t t = 1; t <= softness; ++t) expect_exact_share(t, softness);
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const int32_t softness = 1 + static_cast<int32_t>(rng() % (i % 2 ? 0x7FFFFFFFu : 100000u));
        int32_t t = 1 + static_cast<int32_t>(rng() % static_cast<uint32_t>(softness));
        if (i % 3 == 0) {
            // Just below or at p/q.
            const int64_t q = 1 + rng() % 255, p = rng() % (q + 1);
            const int64_t near = p * softness / q - static_cast<int64_t>(rng() % 3);
            if (near >= 1 && near <= softness) t = static_cast<int32_t>(near);
        }
        expect_exact_share(t, softness);
    }
}

std::vector<uint8_t> random_bytes(size_t n, std::mt19937& rng) {
    std::vector<uint8_t> bytes(n);
    for (uint8_t& b : bytes) {
        const uint32_t r = rng();
        b = r % 4 == 0 ? 0 : r % 4 == 1 ? 255 : static_cast<uint8_t>(r >> 8);
    }
    return bytes;
}

// One buffer holds the dest row and the mask row: apart, or the mask
// `shift` pixels before or after dest (negative: before), overlapping it.
TEST(TransitionRows, MatchThePlainRowsOnRandomRows) {
    std::mt19937 rng(11);
    const auto sets = vector_sets_of(kTransitionVariants);
    ASSERT_FALSE(sets.empty());
    for (int trial = 0; trial < 4000; ++trial) {
        const auto width = static_cast<int32_t>(rng() % 80);
        const int32_t shift = trial % 3 == 0 ? 1000 : static_cast<int32_t>(rng() % 21) - 10;
        const int32_t progress = static_cast<int32_t>(rng() % 900) - 300;
        const int32_t total = static_cast<int32_t>(rng() % 500);
        const int32_t softness =
            trial % 7 == 0 ? static_cast<int32_t>(rng()) : static_cast<int32_t>(rng() % 300) - 10;
        TransitionCall call;
        call.frame = transition_frame(progress, total, softness);
        const size_t span = static_cast<size_t>(width + 1010) * 4 * 2;
        const std::vector<uint8_t> start = random_bytes(span, rng);
        const size_t dest_at = 4 * 1010, mask_at = 4 * static_cast<size_t>(1010 + shift);
        for (const bool out : {false, true}) {
            call.scales = out ? fade_out_scales(call.frame) : fade_in_scales(call.frame);
            auto run = [&](const TransitionRows& rows) {
                std::vector<uint8_t> bytes(start);
                (out ? rows.fade_out : rows.fade_in)(bytes.data() + dest_at, bytes.data() + mask_at,
                                                     width, call);
                return bytes;
            };
            const std::vector<uint8_t> expected = run(kPlainTransitionRows);
            for (const auto& set : sets)
                ASSERT_EQ(run(*set.rows), expected)
                    << set.name << (out ? " out" : " in") << ", width " << width << ", shift "
                    << shift << ", progress " << progress << ", total " << total << ", softness "
                    << softness;
        }
    }
}

}  // namespace
}  // namespace lumoria
