// The engine stand-in itself: its layout, and that it notices a write outside
// the rows, on which every other test relies.
#include <utility>

#include "host/host_bitmap.h"
#include "support.h"

namespace {

TEST(Standin, HandleLeadsToTheRowsBottomUp) {
    Bitmap b(3, 2);
    host::Surface s;
    ASSERT_TRUE(host::resolve(b.handle(), s));
    EXPECT_EQ(s.width, 3);
    EXPECT_EQ(s.height, 2);
    EXPECT_EQ(s.pixel(0, 0), b.at(0, 0));
    EXPECT_EQ(s.pixel(2, 1), b.at(2, 1));
    EXPECT_EQ(s.row(1), s.row(0) - 12);
    EXPECT_FALSE(host::resolve(Bitmap::without_surface().handle(), s));
}

TEST(Standin, NoticesWritesJustOutsideTheRows) {
    Bitmap b(3, 2);
    ASSERT_TRUE(b.intact());
    b.set(0, 0, Pixel{1, 2, 3, 4});
    EXPECT_TRUE(b.intact());
#if !STANDIN_ASAN
    // Under AddressSanitizer the guards are poisoned and such a write aborts.
    b.at(0, 0)[12] ^= 1;  // one byte past the last pixel of the top row
    EXPECT_FALSE(b.intact());
    b.at(0, 0)[12] ^= 1;
    b.at(0, 1)[-1] ^= 1;  // one byte before the bottom row
    EXPECT_FALSE(b.intact());
#endif
}

// Bitmaps without pixels (a size of 0 or below) take back their empty
// content without touching memory.
TEST(Standin, EmptyBitmapsHoldNoPixels) {
    for (auto [w, h] : {std::pair{0, 3}, {3, 0}, {-2, 3}, {3, -2}}) {
        Bitmap b(w, h);
        EXPECT_TRUE(b.pixels().empty());
        b.set_pixels({});
        EXPECT_TRUE(b.intact());
    }
}

}  // namespace
