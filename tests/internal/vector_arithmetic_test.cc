// The division tricks of the vector transfer kernels, each over the whole
// range its kernels use it for. They are the same templates in every
// instruction set; SSE2 runs them here.
#include <gtest/gtest.h>

#include <cfenv>
#include <cstdint>

#include "host/vector_sse2.h"

#if defined(__SSE2__)

#include "lumoria/transfer/transfer_rows_kernel.h"

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

// Soft light's digits of N = d (255 d + (510 - 2 d) s) in base 255, and the
// weighted colour built from them, against the 64-bit rule of the plain row
// for every d, s and e.
TEST(VectorArithmetic, SoftLightIsExactForEveryChannelAndEffectiveAlpha) {
    using SoftLight = K::SoftLight;
    for (int64_t d = 0; d < 256; ++d) {
        for (int64_t s = 0; s < 256; ++s) {
            const int64_t n = d * (255 * d + (510 - 2 * d) * s);
            const K::Lanes ld = K::lanes_of(static_cast<int32_t>(d));
            const K::Lanes ls = K::lanes_of(static_cast<int32_t>(s));
            const K::Lanes full = SoftLight::full(ld, ls);
            for (int i = 0; i < K::kLanes; ++i)
                ASSERT_EQ(full[i], n / 65025) << "d " << d << " s " << s;
            for (int64_t e0 = 0; e0 < 256; e0 += K::kLanes) {
                K::Lanes le;
                for (int i = 0; i < K::kLanes; ++i) le[i] = static_cast<uint16_t>(e0 + i);
                const K::Lanes weighted = SoftLight::weighted(ld, ls, le);
                for (int i = 0; i < K::kLanes; ++i) {
                    const int64_t e = e0 + i;
                    ASSERT_EQ(weighted[i], (d * (255 - e) + n * e / 65025) / 255)
                        << "d " << d << " s " << s << " e " << e;
                }
            }
        }
    }
}

// x / y from floats, checked for x = 0, step, 2 step, ... up to
// x + y = 2^24.
void expect_exact_quotients(int32_t y, int32_t step) {
    const int32_t last = (1 << 24) - y;
    for (int32_t x = 0; x <= last; x += 4 * step) {
        Floats v;
        for (int i = 0; i < 4; ++i) v[i] = static_cast<float>(x + i * step);
        const K::Wide q = K::whole_quotient(v, host::Sse2::splat_f32(static_cast<float>(y)));
        for (int i = 0; i < 4; ++i) {
            const int32_t n = x + i * step;
            if (n > last) break;
            ASSERT_EQ(q[i], n / y) << n << " / " << y;
        }
    }
}

// The float tricks hold whatever rounding mode the caller has set.
class EveryRoundingMode : public testing::TestWithParam<int> {
  protected:
    void SetUp() override { ASSERT_EQ(std::fesetround(GetParam()), 0); }
    void TearDown() override { std::fesetround(FE_TONEAREST); }
};

TEST_P(EveryRoundingMode, FloatQuotientsAreExactWhereTheKernelsUseThem) {
    // By a channel value: every multiple of 255.
    for (int32_t y = 1; y <= 255; ++y) expect_exact_quotients(y, 255);
}

INSTANTIATE_TEST_SUITE_P(VectorArithmetic, EveryRoundingMode,
                         testing::Values(FE_TONEAREST, FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO));

}  // namespace

#endif
