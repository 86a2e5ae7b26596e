// The division tricks of the vector transfer kernels, each over the whole
// range its kernels use it for. They are the same templates in every
// instruction set; SSE2 runs them here.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>

#include "host/vector_sse2.h"

#if defined(__SSE2__)

#include "lumoria/transfer/vector_kernels.h"

namespace {

using K = lumoria::TransferKernels<host::Sse2>;
using Floats = K::Floats;

TEST(VectorArithmetic, Div255IsExactForEverySixteenBitValue) {
    for (uint32_t x = 0; x < 65536; x += K::kLanes) {
        K::Lanes v;
        for (int i = 0; i < K::kLanes; ++i) v[i] = static_cast<uint16_t>(x + i);
        const K::Lanes q = K::div255(v);
        for (int i = 0; i < K::kLanes; ++i) ASSERT_EQ(q[i], (x + i) / 255) << x + i;
    }
}

// x / y from floats, checked for x = 0, step, 2 step, ... up to
// x + y = 2^24.
void expect_exact_quotients(int32_t y, int32_t step) {
    const int32_t last = (1 << 24) - y;
    for (int32_t x = 0; x <= last; x += 4 * step) {
        Floats v;
        for (int i = 0; i < 4; ++i) v[i] = static_cast<float>(x + i * step);
        const Floats q = K::quotient(v, host::Sse2::splat_f32(static_cast<float>(y)));
        for (int i = 0; i < 4; ++i) {
            const int32_t n = x + i * step;
            if (n > last) break;
            ASSERT_EQ(q[i], static_cast<float>(n / y)) << n << " / " << y;
        }
    }
}

// The float tricks hold whatever rounding mode the caller has set.
class EveryRoundingMode : public testing::TestWithParam<int> {
  protected:
    void SetUp() override { ASSERT_EQ(std::fesetround(GetParam()), 0); }
    void TearDown() override { std::fesetround(FE_TONEAREST); }
};

TEST_P(EveryRoundingMode, FloatDiv255IsExactForEverySixteenBitValue) {
    for (int32_t x = 0; x < 65536; x += 4) {
        const Floats q = K::div255(Floats{0, 1, 2, 3} + static_cast<float>(x));
        for (int i = 0; i < 4; ++i) ASSERT_EQ(q[i], static_cast<float>((x + i) / 255)) << x + i;
    }
}

TEST_P(EveryRoundingMode, FloatQuotientsAreExactWhereTheKernelsUseThem) {
    // By 255 and 65025: every dividend.
    expect_exact_quotients(255, 1);
    expect_exact_quotients(65025, 1);
    // By a channel value: every multiple of 255.
    for (int32_t y = 1; y <= 255; ++y) expect_exact_quotients(y, 255);
}

INSTANTIATE_TEST_SUITE_P(VectorArithmetic, EveryRoundingMode,
                         testing::Values(FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO));

}  // namespace

#endif
