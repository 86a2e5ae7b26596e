// The spatial effects: pixelize, ripple, ripple_circ and radial_blur.
// Worked examples, properties that hold for any picture, refusals, and
// arguments at the ends of the 32-bit range.
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "support.h"

namespace {

const Pixel kClear{0, 0, 0, 0};

// A picture whose pixels all differ, with no alpha of 0.
Bitmap numbered(int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.set(x, y,
                  Pixel{uint8_t(x * 7 + y * 31 + 3), uint8_t(x * 13 + y * 5 + 1),
                        uint8_t(x * 3 + y * 17 + 2), uint8_t(x * 11 + y * 19 + 1)});
    return b;
}

Bitmap random_bitmap(int32_t w, int32_t h, uint32_t seed) {
    Bitmap b(w, h);
    b.randomize(seed);
    return b;
}

using Points = std::vector<std::pair<int32_t, int32_t>>;

// The truncated mean of the pixels of `b` at `points`, channel by channel.
Pixel mean_of(const Bitmap& b, const Points& points) {
    uint32_t sum[4] = {0, 0, 0, 0};
    for (auto [x, y] : points) {
        const Pixel p = b.get(x, y);
        sum[0] += p.b;
        sum[1] += p.g;
        sum[2] += p.r;
        sum[3] += p.a;
    }
    const auto n = static_cast<uint32_t>(points.size());
    return Pixel{uint8_t(sum[0] / n), uint8_t(sum[1] / n), uint8_t(sum[2] / n),
                 uint8_t(sum[3] / n)};
}

bool all_clear(const Bitmap& b) {
    for (uint8_t byte : b.pixels())
        if (byte != 0) return false;
    return true;
}

// ---------------------------------------------------------------- pixelize

TEST(Pixelize, ThreeByTwoGridWithCutEdgeBlock) {
    Bitmap b(3, 2);
    b.set(0, 0, Pixel{0, 0, 0, 0});
    b.set(1, 0, Pixel{4, 8, 1, 255});
    b.set(0, 1, Pixel{8, 9, 2, 255});
    b.set(1, 1, Pixel{13, 21, 5, 255});
    b.set(2, 0, Pixel{1, 2, 10, 0});
    b.set(2, 1, Pixel{3, 2, 13, 255});
    EXPECT_TRUE(LUMORIA(pixelize)(b.handle(), 2, 2));
    // Four pixels in the first block, two in the cut one.
    const Pixel first{6, 9, 2, 191};
    const Pixel second{2, 2, 11, 127};
    for (int32_t y = 0; y < 2; ++y) {
        EXPECT_EQ(b.get(0, y), first);
        EXPECT_EQ(b.get(1, y), first);
        EXPECT_EQ(b.get(2, y), second);
    }
    EXPECT_TRUE(b.intact());
}

TEST(Pixelize, BlocksCutAtBothEdgesAreFlatAndStayFlat) {
    Bitmap b = random_bitmap(7, 5, 3);
    const Bitmap original = random_bitmap(7, 5, 3);
    EXPECT_TRUE(LUMORIA(pixelize)(b.handle(), 3, 2));
    // Blocks start at columns 0, 3, 6 and rows 0, 2, 4.
    const int32_t columns[] = {0, 3, 6, 7};
    const int32_t rows[] = {0, 2, 4, 5};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            Points block;
            for (int32_t y = rows[i]; y < rows[i + 1]; ++y)
                for (int32_t x = columns[j]; x < columns[j + 1]; ++x) block.push_back({x, y});
            const Pixel mean = mean_of(original, block);
            for (auto [x, y] : block) EXPECT_EQ(b.get(x, y), mean) << x << "," << y;
        }
    // A flat block is its own mean.
    const auto once = b.pixels();
    EXPECT_TRUE(LUMORIA(pixelize)(b.handle(), 3, 2));
    EXPECT_EQ(b.pixels(), once);
    EXPECT_TRUE(b.intact());
}

TEST(Pixelize, OnePixelBlocksChangeNothingAndHugeBlocksFlattenAll) {
    auto pixelize = LUMORIA(pixelize);
    Bitmap b = random_bitmap(6, 4, 5);
    const auto before = b.pixels();
    EXPECT_TRUE(pixelize(b.handle(), 1, 1));
    EXPECT_EQ(b.pixels(), before);

    Points everything;
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 6; ++x) everything.push_back({x, y});
    const Pixel mean = mean_of(b, everything);
    EXPECT_TRUE(pixelize(b.handle(), INT32_MAX, INT32_MAX));
    for (auto [x, y] : everything) EXPECT_EQ(b.get(x, y), mean);
    EXPECT_TRUE(b.intact());
}

TEST(Pixelize, NoBlockOrNoSurface) {
    auto pixelize = LUMORIA(pixelize);
    Bitmap b = random_bitmap(5, 3, 7);
    const auto before = b.pixels();
    for (auto [w, h] : {std::pair{0, 2}, {2, 0}, {-1, 2}, {INT32_MIN, INT32_MIN}, {INT32_MIN, 3}}) {
        EXPECT_TRUE(pixelize(b.handle(), w, h));
        EXPECT_EQ(b.pixels(), before);
    }
    EXPECT_FALSE(pixelize(Bitmap::without_surface().handle(), 2, 2));
    Bitmap empty(0, 0);
    EXPECT_TRUE(pixelize(empty.handle(), 2, 2));
    EXPECT_TRUE(b.intact());
}

// ------------------------------------------------------------------ ripple

// The column at which row y of `src` starts in `dest`: the first x where
// the rest of the row is the source row from its start, with only cleared
// pixels before it. -1 when there is no such column.
int32_t row_shift(const Bitmap& dest, const Bitmap& src, int32_t y) {
    for (int32_t shift = 0; shift <= dest.width(); ++shift) {
        bool fits = true;
        for (int32_t x = 0; x < dest.width() && fits; ++x) {
            const Pixel expected = x < shift ? kClear : src.get(x - shift, y);
            fits = dest.get(x, y) == expected;
        }
        if (fits) return shift;
    }
    return -1;
}

TEST(Ripple, AmplitudeZeroIsAnExactCopyOverClearedDest) {
    Bitmap src = numbered(9, 6);
    src.set(2, 3, Pixel{5, 6, 7, 0});
    Bitmap dest = random_bitmap(9, 6, 11);
    EXPECT_EQ(LUMORIA(ripple)(dest.handle(), src.handle(), 3, 0, 0), 1);
    EXPECT_EQ(dest.pixels(), src.pixels());
    EXPECT_TRUE(dest.intact());
}

TEST(Ripple, OppositeAmplitudesMirrorTheWaveWithinTwiceTheAmplitude) {
    auto ripple = LUMORIA(ripple);
    const Bitmap src = numbered(24, 20);
    Bitmap plus(24, 20), minus(24, 20);
    EXPECT_EQ(ripple(plus.handle(), src.handle(), 2, 5, 0), 1);
    EXPECT_EQ(ripple(minus.handle(), src.handle(), 2, -5, 0), 1);
    bool waves = false;
    for (int32_t y = 0; y < 20; ++y) {
        const int32_t a = row_shift(plus, src, y);
        const int32_t b = row_shift(minus, src, y);
        EXPECT_GE(a, 0);
        EXPECT_LE(a, 10);
        EXPECT_EQ(a + b, 10) << "row " << y;
        waves = waves || a != 5;
    }
    EXPECT_EQ(row_shift(plus, src, 0), 5);  // sin 0
    EXPECT_TRUE(waves);
    EXPECT_TRUE(plus.intact() && minus.intact());
}

TEST(Ripple, ColumnsShiftDownwards) {
    const Bitmap src = numbered(12, 10);
    Bitmap dest(12, 10);
    EXPECT_EQ(LUMORIA(ripple)(dest.handle(), src.handle(), 1, 3, 1), 1);
    for (int32_t x = 0; x < 12; ++x) {
        int32_t shift = 0;
        while (shift < 10 && dest.get(x, shift) == kClear) ++shift;
        EXPECT_LE(shift, 6);
        for (int32_t y = shift; y < 10; ++y) EXPECT_EQ(dest.get(x, y), src.get(x, y - shift));
    }
    EXPECT_TRUE(dest.intact());
}

TEST(Ripple, OntoItselfClearsFirstAndNarrowSourceIsClipped) {
    auto ripple = LUMORIA(ripple);
    Bitmap same = numbered(8, 5);
    EXPECT_EQ(ripple(same.handle(), same.handle(), 1, 2, 0), 1);
    EXPECT_TRUE(all_clear(same));

    const Bitmap narrow = numbered(4, 5);
    Bitmap dest = random_bitmap(10, 5, 2);
    EXPECT_EQ(ripple(dest.handle(), narrow.handle(), 5, 0, 0), 1);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 0; x < 10; ++x)
            EXPECT_EQ(dest.get(x, y), x < 4 ? narrow.get(x, y) : kClear);
    EXPECT_TRUE(dest.intact());
}

TEST(Ripple, ScaleZeroPutsEveryStripAtTheAmplitude) {
    const Bitmap src = numbered(10, 4);
    Bitmap dest(10, 4);
    EXPECT_EQ(LUMORIA(ripple)(dest.handle(), src.handle(), 0, -3, 0), 1);
    for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(row_shift(dest, src, y), 3);
}

TEST(Ripple, ExtremeAmplitudesDrawNothingPastTheEdge) {
    auto ripple = LUMORIA(ripple);
    const Bitmap src = numbered(6, 5);
    for (int32_t amplitude : {INT32_MIN, INT32_MIN + 1, INT32_MAX})
        for (int32_t scale : {0, 1, -1, INT32_MIN, INT32_MAX})
            for (int32_t vertical : {0, 1, INT32_MIN}) {
                Bitmap dest = random_bitmap(6, 5, 9);
                EXPECT_EQ(ripple(dest.handle(), src.handle(), scale, amplitude, vertical), 1);
                EXPECT_TRUE(dest.intact());
            }
    // With scale 0 every strip starts 2^31 pixels to the right.
    Bitmap dest = random_bitmap(6, 5, 9);
    EXPECT_EQ(ripple(dest.handle(), src.handle(), 0, INT32_MIN, 0), 1);
    EXPECT_TRUE(all_clear(dest));
}

TEST(Ripple, RefusesOnlyADestWithoutSurfaceAndClearsFirst) {
    auto ripple = LUMORIA(ripple);
    const Bitmap src = numbered(4, 4);
    Bitmap dest = numbered(4, 4);
    EXPECT_EQ(ripple(Bitmap::without_surface().handle(), src.handle(), 1, 2, 0), 0);
    // A source without a surface draws no strip over the cleared dest.
    EXPECT_EQ(ripple(dest.handle(), Bitmap::without_surface().handle(), 1, 2, 0), 1);
    EXPECT_TRUE(all_clear(dest));
    Bitmap empty(0, 3);
    EXPECT_EQ(ripple(empty.handle(), src.handle(), 1, 2, 1), 1);
}

// ------------------------------------------------------------- ripple_circ

const Pixel kGrey{100, 120, 140, 77};

Bitmap grey(int32_t w, int32_t h) {
    Bitmap b(w, h);
    b.fill(kGrey);
    return b;
}

TEST(RippleCirc, StrengthZeroChangesNothing) {
    Bitmap b = random_bitmap(9, 7, 4);
    const auto before = b.pixels();
    EXPECT_EQ(LUMORIA(ripple_circ)(b.handle(), 4, 3, 5, 6, 0, 100), 1);
    EXPECT_EQ(b.pixels(), before);
}

TEST(RippleCirc, CentreDarkensFullyAndRadiusZeroIsEmpty) {
    auto ripple_circ = LUMORIA(ripple_circ);
    Bitmap b = grey(5, 5);
    EXPECT_EQ(ripple_circ(b.handle(), 2, 2, 0, 8, 100, 1), 1);
    EXPECT_EQ(b.get(2, 2), (Pixel{0, 0, 0, 77}));

    Bitmap untouched = grey(5, 5);
    EXPECT_EQ(ripple_circ(untouched.handle(), 2, 2, 0, 8, 100, 0), 1);
    EXPECT_EQ(untouched.pixels(), grey(5, 5).pixels());
}

TEST(RippleCirc, BoxEndsBeforeCentrePlusRadiusAndDistancesTruncate) {
    Bitmap b = grey(9, 9);
    // Centre (4, 4), radius 2: the box is columns and rows 2 to 5.
    EXPECT_EQ(LUMORIA(ripple_circ)(b.handle(), 4, 4, 0, 100, 100, 2), 1);
    EXPECT_NE(b.get(2, 4), kGrey);  // straight left, distance 2
    EXPECT_NE(b.get(4, 2), kGrey);  // straight above
    EXPECT_EQ(b.get(6, 4), kGrey);  // straight right: past the box
    EXPECT_EQ(b.get(4, 6), kGrey);  // straight below
    EXPECT_NE(b.get(2, 3), kGrey);  // about 2.24 away
    EXPECT_NE(b.get(2, 2), kGrey);  // about 2.83 away
    EXPECT_EQ(b.get(1, 4), kGrey);  // distance 3: outside
    EXPECT_TRUE(b.intact());
}

TEST(RippleCirc, FactorsSaturateAtBothEnds) {
    auto ripple_circ = LUMORIA(ripple_circ);
    // Half a period of phase puts the centre on the crest: factor 2.
    Bitmap bright = grey(3, 3);
    EXPECT_EQ(ripple_circ(bright.handle(), 1, 1, 2, 4, 100, 1), 1);
    EXPECT_EQ(bright.get(1, 1), (Pixel{200, 240, 255, 77}));
    // A factor below 0 stores 0.
    Bitmap dark = grey(3, 3);
    EXPECT_EQ(ripple_circ(dark.handle(), 1, 1, 0, 4, 300, 1), 1);
    EXPECT_EQ(dark.get(1, 1), (Pixel{0, 0, 0, 77}));
}

TEST(RippleCirc, OneMoreStepOfPhaseMovesTheRingsOnePixelIn) {
    auto ripple_circ = LUMORIA(ripple_circ);
    Bitmap a = grey(30, 3), b = grey(30, 3);
    EXPECT_EQ(ripple_circ(a.handle(), 29, 1, 3, 11, 60, 40), 1);
    EXPECT_EQ(ripple_circ(b.handle(), 29, 1, 4, 11, 60, 40), 1);
    for (int32_t x = 1; x < 30; ++x) EXPECT_EQ(b.get(x, 1), a.get(x - 1, 1)) << x;
}

TEST(RippleCirc, PeriodBelowOneIsRefusedAndNothingTouched) {
    auto ripple_circ = LUMORIA(ripple_circ);
    Bitmap b = random_bitmap(5, 5, 8);
    const auto before = b.pixels();
    for (int32_t period : {0, -1, INT32_MIN}) {
        EXPECT_EQ(ripple_circ(b.handle(), 2, 2, 0, period, 100, 3), 0);
        EXPECT_EQ(b.pixels(), before);
    }
    EXPECT_EQ(ripple_circ(Bitmap::without_surface().handle(), 2, 2, 0, 5, 100, 3), 0);
}

TEST(RippleCirc, HugePeriodsAndFarCentresNeedOnlyASmallTable) {
    auto ripple_circ = LUMORIA(ripple_circ);
    // A period of 2^31 - 1 still darkens the centre fully.
    Bitmap b = grey(5, 5);
    EXPECT_EQ(ripple_circ(b.handle(), 2, 2, 0, INT32_MAX, 100, INT32_MAX), 1);
    EXPECT_EQ(b.get(2, 2), (Pixel{0, 0, 0, 77}));
    // A centre a billion pixels away reaches the bitmap with a long radius.
    Bitmap far = grey(5, 5);
    EXPECT_EQ(ripple_circ(far.handle(), -1000000000, 2, 7, INT32_MAX, 100, INT32_MAX), 1);
    EXPECT_NE(far.get(0, 0), kGrey);
    EXPECT_TRUE(b.intact() && far.intact());
}

TEST(RippleCirc, ExtremeArgumentsAreSafe) {
    auto ripple_circ = LUMORIA(ripple_circ);
    const int32_t values[] = {INT32_MIN, -1, 0, 3, INT32_MAX};
    for (int32_t c : values)
        for (int32_t phase : values)
            for (int32_t strength : values)
                for (int32_t radius : values) {
                    Bitmap b = grey(4, 3);
                    const int32_t done = ripple_circ(b.handle(), c, c, phase, 7, strength, radius);
                    EXPECT_EQ(done, 1);
                    EXPECT_TRUE(b.intact());
                }
}

// ------------------------------------------------------------- radial_blur

// Calls radial_blur from a copy of `src` into a fresh bitmap.
Bitmap blurred(const Bitmap& src, int32_t samples, int32_t scaled) {
    Bitmap dest(src.width(), src.height());
    EXPECT_TRUE(LUMORIA(radial_blur)(dest.handle(), src.handle(), samples, 0, scaled));
    EXPECT_TRUE(dest.intact());
    return dest;
}

TEST(RadialBlur, NoRunOrARunOfOneIsAnExactCopy) {
    const Bitmap src = random_bitmap(9, 6, 21);
    for (int32_t samples : {0, -1, INT32_MIN, 1})
        for (int32_t scaled : {0, 1, -5})
            EXPECT_EQ(blurred(src, samples, scaled).pixels(), src.pixels());
    // A scaled run of one sample never reaches a second pixel.
    EXPECT_EQ(blurred(src, 1, INT32_MAX).pixels(), src.pixels());
}

TEST(RadialBlur, FiveByFiveWalks) {
    const Bitmap src = numbered(5, 5);
    const Bitmap dest = blurred(src, 10, 0);
    EXPECT_EQ(dest.get(0, 0), mean_of(src, {{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(dest.get(2, 0), mean_of(src, {{2, 0}, {2, 1}, {2, 2}}));
    EXPECT_EQ(dest.get(4, 3), mean_of(src, {{4, 3}, {3, 3}, {2, 2}}));
    EXPECT_EQ(dest.get(2, 2), src.get(2, 2));
}

TEST(RadialBlur, FourByFourScaledRuns) {
    Bitmap src = numbered(4, 4);
    src.set(0, 0, Pixel{1, 2, 10, 0});
    src.set(1, 1, Pixel{3, 4, 13, 255});
    EXPECT_EQ(blurred(src, 2, 1).get(0, 0), (Pixel{2, 3, 11, 127}));
    EXPECT_EQ(blurred(src, 1, 1).get(0, 0), src.get(0, 0));
    // The centre's run is empty whatever the sample count.
    EXPECT_EQ(blurred(src, 1000, 1).get(2, 2), src.get(2, 2));
}

TEST(RadialBlur, SevenByFiveWalksStepTheMinorAxisOnTheErrorTerm) {
    const Bitmap src = numbered(7, 5);
    const Bitmap dest = blurred(src, 100, 0);
    EXPECT_EQ(dest.get(0, 0), mean_of(src, {{0, 0}, {1, 1}, {2, 1}, {3, 2}}));
    EXPECT_EQ(dest.get(6, 0), mean_of(src, {{6, 0}, {5, 1}, {4, 1}, {3, 2}}));
    EXPECT_EQ(dest.get(0, 2), mean_of(src, {{0, 2}, {1, 2}, {2, 2}, {3, 2}}));
    EXPECT_EQ(dest.get(3, 4), mean_of(src, {{3, 4}, {3, 3}, {3, 2}}));
    EXPECT_EQ(blurred(src, 2, 0).get(0, 0), mean_of(src, {{0, 0}, {1, 1}}));
}

TEST(RadialBlur, RunsAlongTheCentreLinesAreStraight) {
    const Bitmap src = random_bitmap(31, 17, 5);
    const Bitmap dest = blurred(src, 6, 0);
    const int32_t cx = 15, cy = 8;
    for (int32_t x = 0; x < 31; ++x) {
        Points run;
        const int32_t step = x < cx ? 1 : -1;
        for (int32_t k = 0; k < 6 && x + k * step != cx + step; ++k)
            run.push_back({x + k * step, cy});
        EXPECT_EQ(dest.get(x, cy), mean_of(src, run)) << x;
    }
    for (int32_t y = 0; y < 17; ++y) {
        Points run;
        const int32_t step = y < cy ? 1 : -1;
        for (int32_t k = 0; k < 6 && y + k * step != cy + step; ++k)
            run.push_back({cx, y + k * step});
        EXPECT_EQ(dest.get(cx, y), mean_of(src, run)) << y;
    }
}

TEST(RadialBlur, InPlaceReadsPixelsAlreadyWritten) {
    const Bitmap src = numbered(5, 5);
    Bitmap same = numbered(5, 5);
    EXPECT_TRUE(LUMORIA(radial_blur)(same.handle(), same.handle(), 10, 0, 0));
    // Row 0 reads only rows not yet written.
    EXPECT_EQ(same.get(2, 0), mean_of(src, {{2, 0}, {2, 1}, {2, 2}}));
    // (2, 4) reads (2, 3) after it became the mean of (2, 3) and (2, 2).
    Bitmap expected = numbered(5, 5);
    expected.set(2, 3, mean_of(src, {{2, 3}, {2, 2}}));
    EXPECT_EQ(same.get(2, 4), mean_of(expected, {{2, 4}, {2, 3}, {2, 2}}));
    EXPECT_NE(same.pixels(), blurred(src, 10, 0).pixels());
    EXPECT_TRUE(same.intact());
}

TEST(RadialBlur, RunsBeyondThe32BitRangeDoNotBlur) {
    const Bitmap src = numbered(5, 5);
    const Bitmap dest = blurred(src, INT32_MAX, 1);
    // At a corner the scaled run is about 1.6 · 2^31: no blur.
    EXPECT_EQ(dest.get(0, 0), src.get(0, 0));
    // At the middle of the top edge it is 0.8 · 2^31: the whole line.
    EXPECT_EQ(dest.get(2, 0), mean_of(src, {{2, 0}, {2, 1}, {2, 2}}));
}

TEST(RadialBlur, RefusalsLeaveDestUntouched) {
    auto radial_blur = LUMORIA(radial_blur);
    const Bitmap src = numbered(5, 4);
    for (auto [w, h] : {std::pair{5, 5}, {4, 4}}) {
        Bitmap dest = random_bitmap(w, h, 1);
        const auto before = dest.pixels();
        EXPECT_FALSE(radial_blur(dest.handle(), src.handle(), 3, 0, 0));
        EXPECT_EQ(dest.pixels(), before);
    }
    Bitmap dest = random_bitmap(5, 4, 1);
    const auto before = dest.pixels();
    EXPECT_FALSE(radial_blur(dest.handle(), Bitmap::without_surface().handle(), 3, 0, 0));
    EXPECT_EQ(dest.pixels(), before);
    EXPECT_FALSE(radial_blur(Bitmap::without_surface().handle(), src.handle(), 3, 0, 0));
    Bitmap empty(0, 0), other_empty(0, 0);
    EXPECT_TRUE(radial_blur(empty.handle(), other_empty.handle(), 3, 0, 0));
}

TEST(RadialBlur, ExtremeArgumentsAreSafe) {
    auto radial_blur = LUMORIA(radial_blur);
    const Bitmap src = random_bitmap(6, 5, 2);
    for (int32_t samples : {INT32_MIN, 2, INT32_MAX})
        for (int32_t scaled : {INT32_MIN, 0, INT32_MAX}) {
            Bitmap dest(6, 5);
            EXPECT_TRUE(radial_blur(dest.handle(), src.handle(), samples, INT32_MIN, scaled));
            EXPECT_TRUE(dest.intact());
        }
}

}  // namespace
