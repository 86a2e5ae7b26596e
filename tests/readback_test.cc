// get_pixel, get_pixels and the timing probes.
#include <climits>
#include <memory>
#include <vector>

#include "support.h"

namespace {

// get_pixel is bound by its decorated name, as the engine binds it.
using GetPixel = int (*)(long, int, int, int);
GetPixel get_pixel() { return support::lumoria_library().fn<GetPixel>("_Z9get_pixelliii"); }

TEST(GetPixel, ReadsOneChannelInMemoryOrder) {
    Bitmap b(4, 3);
    b.set(3, 2, Pixel{30, 20, 10, 40});
    const std::vector<int> channels = {30, 20, 10, 40};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(get_pixel()(b.handle(), 3, 2, c), channels[c]);
    // Only the low 32 bits of the argument are the handle.
    const long tagged = static_cast<long>(static_cast<unsigned long>(b.handle()) |
                                          (sizeof(long) > 4 ? ~0xFFFFFFFFul : 0ul));
    EXPECT_EQ(get_pixel()(tagged, 3, 2, 0), 30);
}

TEST(GetPixel, OutsideTheSurfaceIsZero) {
    Bitmap b(4, 3);
    b.fill(Pixel{9, 9, 9, 9});
    EXPECT_EQ(get_pixel()(b.handle(), 3, 2, 1), 9);
    for (auto [x, y] : {std::pair{4, 2}, {3, 3}, {-1, 0}, {0, -1}, {INT_MIN, INT_MAX}})
        EXPECT_EQ(get_pixel()(b.handle(), x, y, 1), 0) << x << ", " << y;
    EXPECT_EQ(get_pixel()(Bitmap::without_surface().handle(), 0, 0, 0), 0);
    EXPECT_EQ(get_pixel()(Bitmap(0, 0).handle(), 0, 0, 0), 0);
}

// A channel outside 0..3 would read the neighbouring pixel, or past the
// surface for the last pixel of the top row.
TEST(GetPixel, ChannelOutOfRangeIsZero) {
    Bitmap b(2, 2);
    b.fill(Pixel{7, 7, 7, 7});
    for (int channel : {4, 5, -1, 100, INT_MIN, INT_MAX}) {
        EXPECT_EQ(get_pixel()(b.handle(), 0, 0, channel), 0) << channel;
        EXPECT_EQ(get_pixel()(b.handle(), 1, 0, channel), 0) << channel;
    }
}

TEST(GetPixels, ColumnMajorRecordsRedFirst) {
    Bitmap b(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x) b.set(x, y, Pixel{uint8_t(x), uint8_t(y), 200, 255});
    b.set(1, 0, Pixel{30, 20, 10, 40});
    std::vector<int32_t> out(2 * 3 * 4, -1);
    LUMORIA(get_pixels)(b.handle(), out.data());
    EXPECT_EQ(std::vector<int32_t>(out.begin() + 12, out.begin() + 16),
              (std::vector<int32_t>{10, 20, 30, 40}));
    // Records run down column 0, then column 1.
    const std::pair<int, int> order[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 1}, {1, 2}};
    for (int record = 0; record < 6; ++record) {
        const auto [x, y] = order[record];
        const Pixel p = b.get(x, y);
        EXPECT_EQ(std::vector<int32_t>(out.begin() + 4 * record, out.begin() + 4 * record + 4),
                  (std::vector<int32_t>{p.r, p.g, p.b, p.a}))
            << "record " << record;
    }
}

TEST(GetPixels, NothingWrittenWithoutPixels) {
    std::vector<int32_t> out(8, -1);
    LUMORIA(get_pixels)(Bitmap::without_surface().handle(), out.data());
    LUMORIA(get_pixels)(Bitmap(0, 5).handle(), out.data());
    LUMORIA(get_pixels)(Bitmap(5, 0).handle(), out.data());
    EXPECT_EQ(out, std::vector<int32_t>(8, -1));
}

// The probe reads exactly the record of pixel (10, 10) of a bitmap n high,
// from arrays sized to end right after it (an over-read is caught under
// AddressSanitizer); its index wraps like the engine's 32-bit arithmetic.
TEST(TimingProbes, ReadOnlyTheirRecord) {
    auto test = LUMORIA(test);
    const std::unique_ptr<int32_t[]> just_enough(new int32_t[44]());
    test(just_enough.get(), 0, 0);
    const std::unique_ptr<int32_t[]> two_high(new int32_t[84]());
    test(two_high.get(), 12345, 1);
    // 4 * (10 * 214748364 + 10) wraps to 8.
    const std::unique_ptr<int32_t[]> wrapped(new int32_t[12]());
    test(wrapped.get(), 0, 214748364);
    LUMORIA(test2)();
}

}  // namespace
