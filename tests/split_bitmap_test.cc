// split_bitmap: the worked cuts, the walks from the far side that leave a
// remainder, splitting a bitmap into itself, refusals and extreme steps.
#include <climits>
#include <cstdint>
#include <functional>

#include "support.h"

namespace {

// Which pixels a cut moves.
using Side = std::function<bool(int32_t x, int32_t y)>;

// Splits a random picture of w x h into a transparent bitmap and checks that
// exactly the pixels on `moved` went across, unchanged, and were cleared.
void expect_split(int32_t w, int32_t h, int32_t step_y, int32_t step_x, const Side& moved) {
    auto split = LUMORIA(split_bitmap);
    Bitmap src(w, h), dest(w, h);
    src.randomize(uint32_t(w) * 131 + uint32_t(h) * 7 + uint32_t(step_y) * 3 + uint32_t(step_x));
    Bitmap original(w, h);
    original.set_pixels(src.pixels());
    ASSERT_TRUE(split(src.handle(), dest.handle(), step_y, step_x));
    int32_t wrong = 0;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const bool m = moved(x, y);
            const Pixel was = original.get(x, y);
            if (src.get(x, y) != (m ? Pixel{} : was) || dest.get(x, y) != (m ? was : Pixel{})) {
                if (++wrong <= 5) ADD_FAILURE() << "pixel " << x << ", " << y;
            }
        }
    EXPECT_EQ(wrong, 0) << w << " x " << h << ", steps " << step_y << ", " << step_x;
    EXPECT_TRUE(src.intact());
    EXPECT_TRUE(dest.intact());
}

TEST(SplitBitmap, SquareCuts) {
    // Horizontal strips from the top, straight down the middle.
    expect_split(100, 100, 10, 0, [](int32_t x, int32_t) { return x >= 50; });
    // From the bottom: the walk stops before row 0, so the top ten rows stay.
    expect_split(100, 100, -10, 0, [](int32_t x, int32_t y) { return x >= 50 && y >= 10; });
    // The diagonal staircase: the strip at row y is cut at column y.
    expect_split(100, 100, 10, 10, [](int32_t x, int32_t y) { return x >= y / 10 * 10; });
}

TEST(SplitBitmap, WideAndTallCuts) {
    // Vertical strips; the cut's start is pulled up by the wide offset.
    expect_split(100, 60, 0, 10, [](int32_t, int32_t y) { return y >= 28; });
    // The cut moves 4 columns left per strip of 10 rows.
    expect_split(100, 60, 10, -4, [](int32_t x, int32_t y) { return x >= 62 - 4 * (y / 10); });
    // From the bottom on a tall bitmap: strips start at rows 93, 86, ..., 2,
    // each cut 3 columns further right; rows 0 and 1 stay.
    expect_split(60, 100, -7, 3,
                 [](int32_t x, int32_t y) { return y >= 2 && x >= 15 + 3 * ((106 - y) / 7 - 1); });
}

TEST(SplitBitmap, VerticalStripsFromTheRightLeaveTheLeftColumns) {
    // Strips start at columns 7, 4 and 1; column 0 stays.
    expect_split(10, 10, 0, -3, [](int32_t x, int32_t y) { return x >= 1 && y >= 5; });
}

// A bitmap within one pixel of square, cut with step_y 0, is cut through
// its middle row like a tall one: the lower half moves.
TEST(SplitBitmap, NoVerticalStepOnANearlySquareBitmapMovesTheLowerHalf) {
    expect_split(10, 10, 0, 3, [](int32_t, int32_t y) { return y >= 5; });
    expect_split(11, 10, 0, 1, [](int32_t, int32_t y) { return y >= 5; });
    expect_split(10, 11, 0, 4, [](int32_t, int32_t y) { return y >= 5; });
}

TEST(SplitBitmap, IntoItselfTheMovedSideEndsCleared) {
    auto split = LUMORIA(split_bitmap);
    Bitmap b(100, 100);
    b.randomize(11);
    Bitmap original(100, 100);
    original.set_pixels(b.pixels());
    EXPECT_TRUE(split(b.handle(), b.handle(), 10, 0));
    for (int32_t y = 0; y < 100; ++y)
        for (int32_t x = 0; x < 100; ++x)
            ASSERT_EQ(b.get(x, y), x >= 50 ? Pixel{} : original.get(x, y)) << x << ", " << y;
    EXPECT_TRUE(b.intact());
}

TEST(SplitBitmap, Refusals) {
    auto split = LUMORIA(split_bitmap);
    // No direction is refused before the handles are looked at: handle 0
    // would not resolve.
    EXPECT_FALSE(split(0, 0, 0, 0));

    Bitmap none = Bitmap::without_surface();
    Bitmap a(20, 10), b(20, 10), narrow(19, 10), low(20, 9);
    a.randomize(3);
    const auto before = a.pixels();
    EXPECT_FALSE(split(none.handle(), b.handle(), 1, 1));
    EXPECT_FALSE(split(a.handle(), none.handle(), 1, 1));
    EXPECT_FALSE(split(a.handle(), narrow.handle(), 1, 1));
    EXPECT_FALSE(split(a.handle(), low.handle(), 1, 1));
    EXPECT_EQ(a.pixels(), before);
    EXPECT_EQ(b.pixels(), Bitmap(20, 10).pixels());

    for (const auto& [w, h] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}}) {
        Bitmap s(w, h), d(w, h);
        EXPECT_TRUE(split(s.handle(), d.handle(), 3, 1));
        EXPECT_TRUE(s.intact());
        EXPECT_TRUE(d.intact());
    }
}

TEST(SplitBitmap, HugeStepsAreExactAtTheEdges) {
    // One strip as tall as anything, cut at column 0: everything moves.
    expect_split(10, 10, INT32_MAX, INT32_MAX, [](int32_t, int32_t) { return true; });
    // A walk from the right whose first strip already starts left of column
    // 0: nothing moves.
    expect_split(10, 10, 1, INT32_MIN, [](int32_t, int32_t) { return false; });
    expect_split(10, 10, INT32_MIN, 1, [](int32_t, int32_t) { return false; });
    // One strip, cut at column 7 (7.4999...) or at the right edge.
    expect_split(10, 10, INT32_MAX, -(INT32_MAX / 2), [](int32_t x, int32_t) { return x >= 7; });
    expect_split(10, 10, INT32_MAX, INT32_MIN + 1, [](int32_t, int32_t) { return false; });
    // A cut running off to the left covers whole rows from there on.
    expect_split(10, 20, 2, -1, [](int32_t x, int32_t y) { return x >= 5 - y / 2; });
}

TEST(SplitBitmap, ExtremeStepsAreSafe) {
    auto split = LUMORIA(split_bitmap);
    const int32_t steps[] = {INT32_MIN, INT32_MIN + 1, -65536,        -7,       -1, 0, 1, 2,
                             9,         65536,         INT32_MAX - 1, INT32_MAX};
    const std::pair<int32_t, int32_t> sizes[] = {{9, 9}, {13, 4}, {3, 11}, {1, 1}};
    for (const auto& [w, h] : sizes)
        for (int32_t sy : steps)
            for (int32_t sx : steps) {
                Bitmap src(w, h), dest(w, h);
                src.randomize(uint32_t(sy ^ sx));
                EXPECT_EQ(split(src.handle(), dest.handle(), sy, sx), sy != 0 || sx != 0);
                EXPECT_TRUE(src.intact() && dest.intact()) << sy << ", " << sx;
            }
}

}  // namespace
