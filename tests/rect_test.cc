// clear_rect and fill_rect: their two clipping rules, colour storage and
// refusals.
#include <climits>
#include <vector>

#include "support.h"

namespace {

const Pixel kBackground{1, 2, 3, 4};
const Pixel kRed{0, 0, 255, 255};

// A bitmap filled with kBackground.
Bitmap background(int32_t w, int32_t h) {
    Bitmap b(w, h);
    b.fill(kBackground);
    return b;
}

// Columns of row y that no longer hold kBackground.
std::vector<int> changed_columns(const Bitmap& b, int32_t y) {
    std::vector<int> columns;
    for (int32_t x = 0; x < b.width(); ++x)
        if (!(b.get(x, y) == kBackground)) columns.push_back(x);
    return columns;
}

std::vector<int> range(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}

TEST(FillRect, StoresLowEightBitsInBlueGreenRedAlphaOrder) {
    auto fill_rect = LUMORIA(fill_rect);
    Bitmap b = background(3, 2);
    EXPECT_EQ(fill_rect(b.handle(), 0, 0, 3, 2, 10, 20, 30, 40), 1);
    EXPECT_EQ(b.get(2, 1), (Pixel{30, 20, 10, 40}));
    EXPECT_EQ(fill_rect(b.handle(), 1, 1, 1, 1, 256, 511, -2, -1), 1);
    EXPECT_EQ(b.get(1, 1), (Pixel{254, 255, 0, 255}));
    EXPECT_EQ(b.get(0, 1), (Pixel{30, 20, 10, 40}));
    EXPECT_TRUE(b.intact());
}

TEST(ClearRect, ZeroesAllFourBytes) {
    Bitmap b = background(4, 3);
    EXPECT_EQ(LUMORIA(clear_rect)(b.handle(), 1, 1, 2, 1), 1);
    EXPECT_EQ(changed_columns(b, 1), range(1, 2));
    EXPECT_EQ(b.get(1, 1), (Pixel{0, 0, 0, 0}));
    EXPECT_EQ(changed_columns(b, 0), range(1, 0));
    EXPECT_EQ(changed_columns(b, 2), range(1, 0));
    EXPECT_TRUE(b.intact());
}

TEST(RectClipping, NegativeOriginMovesClearButCutsFill) {
    auto clear_rect = LUMORIA(clear_rect);
    auto fill_rect = LUMORIA(fill_rect);

    Bitmap cleared = background(100, 2);
    EXPECT_EQ(clear_rect(cleared.handle(), -5, 0, 10, 1), 1);
    EXPECT_EQ(changed_columns(cleared, 0), range(0, 9));

    Bitmap filled = background(100, 2);
    EXPECT_EQ(fill_rect(filled.handle(), -5, 0, 10, 1, 255, 0, 0, 255), 1);
    EXPECT_EQ(changed_columns(filled, 0), range(0, 4));

    Bitmap short_clear = background(100, 2);
    EXPECT_EQ(clear_rect(short_clear.handle(), -5, 0, 4, 1), 1);
    EXPECT_EQ(changed_columns(short_clear, 0), range(0, 3));

    Bitmap refused = background(100, 2);
    EXPECT_EQ(fill_rect(refused.handle(), -5, 0, 4, 1, 255, 0, 0, 255), 0);
    EXPECT_EQ(fill_rect(refused.handle(), -5, 0, 5, 1, 255, 0, 0, 255), 1);
    EXPECT_EQ(fill_rect(refused.handle(), 0, -3, 1, 2, 255, 0, 0, 255), 0);
    EXPECT_EQ(changed_columns(refused, 0), range(1, 0));

    // The same rules vertically.
    Bitmap tall = background(1, 10);
    EXPECT_EQ(clear_rect(tall.handle(), 0, -5, 1, 3), 1);
    EXPECT_EQ(tall.get(0, 2), (Pixel{}));
    EXPECT_EQ(tall.get(0, 3), kBackground);
}

TEST(RectClipping, OriginAtOrBeyondTheFarEdge) {
    auto clear_rect = LUMORIA(clear_rect);
    auto fill_rect = LUMORIA(fill_rect);
    Bitmap b = background(100, 5);
    EXPECT_EQ(clear_rect(b.handle(), 150, 0, 10, 5), 1);
    EXPECT_EQ(clear_rect(b.handle(), 0, 7, 10, 5), 1);
    EXPECT_EQ(fill_rect(b.handle(), 100, 0, 10, 5, 9, 9, 9, 9), 1);
    EXPECT_EQ(fill_rect(b.handle(), 0, 5, 10, 5, 9, 9, 9, 9), 1);
    EXPECT_EQ(fill_rect(b.handle(), 101, 0, 10, 5, 9, 9, 9, 9), 0);
    EXPECT_EQ(fill_rect(b.handle(), 0, 6, 10, 5, 9, 9, 9, 9), 0);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(changed_columns(b, y), range(1, 0));
    EXPECT_TRUE(b.intact());
}

TEST(RectClipping, NegativeSizeIsRefusedAndZeroSizeIsNot) {
    auto clear_rect = LUMORIA(clear_rect);
    auto fill_rect = LUMORIA(fill_rect);
    Bitmap b = background(10, 10);
    EXPECT_EQ(clear_rect(b.handle(), 2, 2, -1, 3), 0);
    EXPECT_EQ(clear_rect(b.handle(), 2, 2, 3, -1), 0);
    EXPECT_EQ(clear_rect(b.handle(), 500, 500, -1, 0), 0);
    EXPECT_EQ(fill_rect(b.handle(), 2, 2, -1, 3, 0, 0, 0, 0), 0);
    EXPECT_EQ(fill_rect(b.handle(), 2, 2, 3, -1, 0, 0, 0, 0), 0);
    EXPECT_EQ(clear_rect(b.handle(), 2, 2, 0, 3), 1);
    EXPECT_EQ(fill_rect(b.handle(), 2, 2, 3, 0, 0, 0, 0, 0), 1);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(changed_columns(b, y), range(1, 0));
}

TEST(RectClipping, ExtentIsCutAtTheEdgesWhateverItsSize) {
    auto clear_rect = LUMORIA(clear_rect);
    auto fill_rect = LUMORIA(fill_rect);
    Bitmap b = background(7, 5);
    EXPECT_EQ(fill_rect(b.handle(), 5, 3, 10, 10, 0, 0, 255, 255), 1);
    EXPECT_EQ(changed_columns(b, 3), range(5, 6));
    EXPECT_EQ(changed_columns(b, 4), range(5, 6));
    EXPECT_EQ(changed_columns(b, 2), range(1, 0));

    // Sizes whose sum with the origin does not fit 32 bits.
    EXPECT_EQ(fill_rect(b.handle(), 6, 4, INT_MAX, INT_MAX, 255, 0, 0, 255), 1);
    EXPECT_EQ(b.get(6, 4), kRed);
    EXPECT_EQ(clear_rect(b.handle(), INT_MAX, INT_MAX, INT_MAX, INT_MAX), 1);
    EXPECT_EQ(clear_rect(b.handle(), INT_MIN, 4, INT_MAX, 1), 1);
    EXPECT_EQ(changed_columns(b, 4), range(0, 6));
    EXPECT_EQ(b.get(6, 4), (Pixel{}));
    // A negative origin cut from a negative size stays refused rather than
    // wrapping around to a huge size.
    EXPECT_EQ(fill_rect(b.handle(), -1, 0, INT_MIN, 1, 255, 0, 0, 255), 0);
    EXPECT_EQ(fill_rect(b.handle(), 0, INT_MIN, 1, INT_MIN, 255, 0, 0, 255), 0);
    EXPECT_EQ(changed_columns(b, 0), range(1, 0));
    EXPECT_TRUE(b.intact());
}

TEST(RectRefusals, BitmapWithoutSurface) {
    Bitmap none = Bitmap::without_surface();
    EXPECT_EQ(LUMORIA(clear_rect)(none.handle(), 0, 0, 1, 1), 0);
    EXPECT_EQ(LUMORIA(fill_rect)(none.handle(), 0, 0, 1, 1, 1, 2, 3, 4), 0);
    EXPECT_TRUE(none.intact());
}

TEST(RectRefusals, EmptyAndNegativeSurfacesWriteNothing) {
    auto clear_rect = LUMORIA(clear_rect);
    auto fill_rect = LUMORIA(fill_rect);
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-3, 4}, {4, -3}}) {
        Bitmap b(w, h);
        clear_rect(b.handle(), 0, 0, 10, 10);
        clear_rect(b.handle(), -5, -5, 10, 10);
        fill_rect(b.handle(), 0, 0, 10, 10, 1, 2, 3, 4);
        fill_rect(b.handle(), -5, -5, 10, 10, 1, 2, 3, 4);
        EXPECT_TRUE(b.intact()) << w << " x " << h;
    }
}

}  // namespace
