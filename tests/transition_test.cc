// transition_in and transition_out: the schedule and its edges, the soft
// band, the mask's placement and clipping, refusals and extreme arguments.
#include <climits>
#include <cstdint>
#include <vector>

#include "support.h"

namespace {

std::vector<uint8_t> alphas(const Bitmap& b) {
    std::vector<uint8_t> a;
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) a.push_back(b.get(x, y).a);
    return a;
}

// Every pixel's colour bytes, alpha left out.
std::vector<uint8_t> colours(const Bitmap& b) {
    std::vector<uint8_t> c;
    for (int32_t y = 0; y < b.height(); ++y)
        for (int32_t x = 0; x < b.width(); ++x) {
            const Pixel p = b.get(x, y);
            c.insert(c.end(), {p.b, p.g, p.r});
        }
    return c;
}

// A mask whose red bytes run through every value 0..255.
Bitmap ramp_mask() {
    Bitmap m(16, 16);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) m.set(x, y, Pixel{0, 0, uint8_t(16 * y + x), 255});
    return m;
}

Bitmap uniform_mask(int32_t w, int32_t h, uint8_t red) {
    Bitmap m(w, h);
    m.fill(Pixel{0, 0, red, 255});
    return m;
}

Bitmap opaque_picture(int32_t w, int32_t h, uint32_t seed) {
    Bitmap b(w, h);
    b.randomize(seed);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            Pixel p = b.get(x, y);
            p.a = 200;
            b.set(x, y, p);
        }
    return b;
}

TEST(TransitionSchedule, StartAndEndOfTheRun) {
    auto in = LUMORIA(transition_in);
    auto out = LUMORIA(transition_out);
    const Bitmap mask = ramp_mask();

    Bitmap a = opaque_picture(16, 16, 1), b = opaque_picture(16, 16, 1);
    const auto start = a.pixels();
    EXPECT_TRUE(in(a.handle(), mask.handle(), 0, 100, 20, 0, 0));
    EXPECT_EQ(alphas(a), std::vector<uint8_t>(256, 0));
    EXPECT_TRUE(out(b.handle(), mask.handle(), 0, 100, 20, 0, 0));
    EXPECT_EQ(b.pixels(), start);

    Bitmap c = opaque_picture(16, 16, 1), d = opaque_picture(16, 16, 1);
    EXPECT_TRUE(in(c.handle(), mask.handle(), 100, 100, 20, 0, 0));
    EXPECT_EQ(c.pixels(), start);
    EXPECT_TRUE(out(d.handle(), mask.handle(), 100, 100, 20, 0, 0));
    EXPECT_EQ(alphas(d), std::vector<uint8_t>(256, 0));
    EXPECT_EQ(colours(a), colours(c));
    EXPECT_EQ(colours(d), colours(c));
}

TEST(TransitionEdge, InsideTheSoftBandAndAtItsEnds) {
    auto in = LUMORIA(transition_in);
    auto out = LUMORIA(transition_out);
    const Bitmap black = uniform_mask(1, 1, 0);  // m = 0: t = progress
    struct Case {
        int32_t progress, softness;
        uint8_t in_alpha, out_alpha;
    };
    const Case cases[] = {
        {5, 20, 50, 150},  // inside the band
        {20, 20, 200, 0},  // t = softness
        {21, 20, 200, 0},  // past the band
        {0, 20, 0, 200},   // not reached
        {1, 0, 200, 0},    // hard edge, reached
        {0, 0, 0, 200},    // hard edge, not reached
        // Negative softness: no band; t below it, between it and 0, above 0.
        {-5, -3, 0, 200},
        {-2, -3, 0, 0},
        {2, -3, 200, 0},
        // The share is exact even where alpha x t needs more than 32 bits.
        {1 << 29, 1 << 30, 100, 100},
        {INT32_MAX, INT32_MAX, 200, 0},
        {INT32_MAX - 1, INT32_MAX, 199, 1},
    };
    for (const Case& c : cases) {
        Bitmap a(1, 1), b(1, 1);
        a.set(0, 0, Pixel{1, 2, 3, 200});
        b.set(0, 0, Pixel{1, 2, 3, 200});
        EXPECT_TRUE(in(a.handle(), black.handle(), c.progress, 0, c.softness, 0, 0));
        EXPECT_TRUE(out(b.handle(), black.handle(), c.progress, 0, c.softness, 0, 0));
        EXPECT_EQ(a.get(0, 0), (Pixel{1, 2, 3, c.in_alpha})) << c.progress << " / " << c.softness;
        EXPECT_EQ(b.get(0, 0), (Pixel{1, 2, 3, c.out_alpha})) << c.progress << " / " << c.softness;
    }
}

TEST(TransitionEdge, RepeatedCallsScaleAgain) {
    auto in = LUMORIA(transition_in);
    const Bitmap black = uniform_mask(1, 1, 0);
    Bitmap b(1, 1);
    b.set(0, 0, Pixel{0, 0, 0, 200});
    for (uint8_t want : {100, 50}) {
        EXPECT_TRUE(in(b.handle(), black.handle(), 10, 100, 20, 0, 0));
        EXPECT_EQ(b.get(0, 0).a, want);
    }
}

TEST(TransitionMask, OnlyTheRedByteCounts) {
    auto out = LUMORIA(transition_out);
    Bitmap m1 = ramp_mask(), m2 = ramp_mask();
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 16; ++x) {
            Pixel p = m2.get(x, y);
            m2.set(x, y, Pixel{uint8_t(x * 7), uint8_t(y * 13), p.r, uint8_t(x + y)});
        }
    const auto m2_before = m2.pixels();
    Bitmap a = opaque_picture(16, 16, 3), b = opaque_picture(16, 16, 3);
    EXPECT_TRUE(out(a.handle(), m1.handle(), 40, 100, 30, 0, 0));
    EXPECT_TRUE(out(b.handle(), m2.handle(), 40, 100, 30, 0, 0));
    EXPECT_EQ(a.pixels(), b.pixels());
    EXPECT_EQ(m2.pixels(), m2_before);
}

TEST(TransitionMask, LargeMaskIsUsedUpToDestSize) {
    auto in = LUMORIA(transition_in);
    Bitmap mask = uniform_mask(10, 10, 255);
    mask.set(4, 2, Pixel{0, 0, 0, 0});  // reached at progress 10
    Bitmap b = opaque_picture(5, 3, 5);
    EXPECT_TRUE(in(b.handle(), mask.handle(), 10, 100, 20, 0, 0));
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 5; ++x)
            EXPECT_EQ(b.get(x, y).a, (x == 4 && y == 2) ? 100 : 0) << x << ", " << y;
    EXPECT_TRUE(b.intact());
}

// A mask smaller than dest touches only its own region; one reaching outside
// dest keeps its placement: the part that lands outside is skipped, the rest
// still lies where the offsets put it.
TEST(TransitionMask, RegionOutsideDestIsClipped) {
    auto in = LUMORIA(transition_in);
    Bitmap mask(4, 4);
    mask.fill(Pixel{0, 0, 255, 0});
    mask.set(1, 2, Pixel{0, 0, 0, 0});  // the one pixel faded to half
    struct Case {
        int32_t x, y;
    };
    for (const Case c : {Case{1, 0}, Case{-1, -2}, Case{3, 1}, Case{2, 3}, Case{-3, 0}}) {
        Bitmap b = opaque_picture(5, 5, 6);
        EXPECT_TRUE(in(b.handle(), mask.handle(), 10, 100, 20, c.x, c.y));
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 5; ++x) {
                const int32_t j = x - c.x, i = y - c.y;
                const bool covered = j >= 0 && j < 4 && i >= 0 && i < 4;
                const uint8_t want = !covered ? 200 : (j == 1 && i == 2) ? 100 : 0;
                EXPECT_EQ(b.get(x, y).a, want) << c.x << ", " << c.y << " at " << x << ", " << y;
            }
        EXPECT_TRUE(b.intact());
    }
}

TEST(TransitionRefusals, MissingSurfacesWriteNothing) {
    auto in = LUMORIA(transition_in);
    auto out = LUMORIA(transition_out);
    Bitmap none = Bitmap::without_surface();
    const Bitmap mask = uniform_mask(4, 4, 0);
    Bitmap b = opaque_picture(4, 4, 7);
    const auto before = b.pixels();
    EXPECT_FALSE(in(none.handle(), mask.handle(), 0, 100, 20, 0, 0));
    EXPECT_FALSE(out(none.handle(), mask.handle(), 100, 100, 20, 0, 0));
    EXPECT_FALSE(in(b.handle(), none.handle(), 0, 100, 20, 0, 0));
    EXPECT_FALSE(out(b.handle(), none.handle(), 100, 100, 20, 0, 0));
    EXPECT_EQ(b.pixels(), before);
    EXPECT_TRUE(none.intact());

    Bitmap empty(0, 0);
    EXPECT_TRUE(in(empty.handle(), mask.handle(), 0, 100, 20, 0, 0));
    EXPECT_TRUE(in(b.handle(), empty.handle(), 0, 100, 20, 0, 0));
    EXPECT_EQ(b.pixels(), before);
}

TEST(TransitionArguments, ThresholdWrapsAsOnA32BitMachine) {
    auto in = LUMORIA(transition_in);
    const Bitmap white = uniform_mask(1, 1, 255);
    // total - softness wraps to INT32_MAX, and 255 times that wraps to
    // 2147483393, whose 255th part is 8421503.
    Bitmap b(1, 1);
    b.set(0, 0, Pixel{0, 0, 0, 200});
    EXPECT_TRUE(in(b.handle(), white.handle(), 8421503 + 10, INT32_MIN + 19, 20, 0, 0));
    EXPECT_EQ(b.get(0, 0).a, 100);
}

TEST(TransitionArguments, ExtremeValuesAreSafe) {
    auto in = LUMORIA(transition_in);
    auto out = LUMORIA(transition_out);
    const Bitmap mask = ramp_mask();
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -1, 0, 1, 255, INT32_MAX - 1, INT32_MAX};
    for (int32_t v : values)
        for (int32_t w : values) {
            Bitmap b = opaque_picture(6, 5, 8);
            const auto colour = colours(b);
            EXPECT_TRUE(in(b.handle(), mask.handle(), v, w, v ^ w, w, v));
            EXPECT_TRUE(out(b.handle(), mask.handle(), w, v, w, v, w));
            EXPECT_TRUE(in(b.handle(), mask.handle(), v, v, w, 0, 0));
            EXPECT_TRUE(out(b.handle(), mask.handle(), w, w, v, 0, 0));
            EXPECT_EQ(colours(b), colour);
            EXPECT_TRUE(b.intact());
        }
    EXPECT_TRUE(mask.intact());
}

}  // namespace
