// The vectorised radial blur rows against the plain rows: random surfaces of
// many shapes, every kind of run length, and the rows' choice for a pass.
#include "lumoria/effects/blur/blur_rows.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "lumoria.h"
#include "standin/bitmap.h"
#include "tests/internal/vector_sets.h"

namespace lumoria {
namespace {

using RowSet = ::RowSet<BlurRows>;

// The vectorised sets this CPU can run.
std::vector<RowSet> vector_sets() { return vector_sets_of(kBlurVariants); }

BlurFrame frame_of(const standin::Bitmap& dest, const standin::Bitmap& src) {
    BlurFrame frame;
    host::resolve(dest.handle(), frame.dest);
    host::resolve(src.handle(), frame.src);
    frame.cx = frame.dest.width / 2;
    frame.cy = frame.dest.height / 2;
    return frame;
}

// `rows` over every row of a fresh destination, from `src`.
std::vector<uint8_t> blurred(const standin::Bitmap& src, const BlurRows& rows, int32_t samples,
                             bool scaled) {
    standin::Bitmap dest(src.width(), src.height());
    dest.randomize(99);
    const BlurFrame frame = frame_of(dest, src);
    const auto row = scaled ? rows.scaled : rows.fixed;
    for (int32_t y = 0; y < src.height(); ++y) row(frame, y, samples);
    EXPECT_TRUE(dest.intact());
    return dest.pixels();
}

struct Shape {
    int32_t width, height;
};

TEST(BlurRows, VectorRowsGiveThePlainBytes) {
    const Shape shapes[] = {{1, 1},   {1, 37},    {53, 1},  {2, 2},   {5, 5},
                            {7, 5},   {4, 4},     {9, 300}, {300, 9}, {131, 97},
                            {16, 17}, {255, 200}, {32, 45}, {33, 20}};
    const int32_t sample_counts[] = {-3, 0, 1, 2, 3, 7, 64, 1000, INT32_MAX};
    uint32_t seed = 1;
    for (const Shape& shape : shapes) {
        standin::Bitmap src(shape.width, shape.height);
        src.randomize(seed++);
        for (const bool scaled : {false, true}) {
            for (const int32_t samples : sample_counts) {
                const std::vector<uint8_t> expected = blurred(src, kPlainBlurRows, samples, scaled);
                for (const RowSet& set : vector_sets()) {
                    ASSERT_EQ(blurred(src, *set.rows, samples, scaled), expected)
                        << set.name << ", " << shape.width << "x" << shape.height << ", samples "
                        << samples << (scaled ? ", scaled" : "");
                }
            }
        }
    }
}

// Lines longer than one flush of the 16-bit lanes, on bright pixels whose
// sums would overflow a lane that was not flushed.
TEST(BlurRows, LongLinesOfBrightPixels) {
    standin::Bitmap src(1100, 3);
    src.fill({250, 251, 252, 255});
    src.set(0, 1, {0, 1, 2, 3});
    for (const bool scaled : {false, true}) {
        const std::vector<uint8_t> expected = blurred(src, kPlainBlurRows, 600, scaled);
        for (const RowSet& set : vector_sets())
            ASSERT_EQ(blurred(src, *set.rows, 600, scaled), expected) << set.name;
    }
}

TEST(BlurRows, VectorsOnlyForSeparateSurfaces) {
    standin::Bitmap a(40, 30), b(40, 30);
    EXPECT_TRUE(fits_vector_blur(frame_of(a, b)));
    EXPECT_FALSE(fits_vector_blur(frame_of(a, a)));
    // A source that starts one row into the destination shares its memory.
    BlurFrame shifted = frame_of(a, a);
    shifted.src.row0 -= shifted.src.stride();
    EXPECT_FALSE(fits_vector_blur(shifted));
    EXPECT_EQ(&blur_rows_for(frame_of(a, a)), &kPlainBlurRows);
}

// In place the export reads pixels it has already written, as the plain
// rows do when walked over one surface.
TEST(BlurRows, InPlaceFollowsThePlainWalk) {
    for (const bool scaled : {false, true}) {
        standin::Bitmap surface(37, 23), expected(37, 23);
        surface.randomize(5);
        expected.set_pixels(surface.pixels());
        const BlurFrame frame = frame_of(expected, expected);
        for (int32_t y = 0; y < 23; ++y)
            (scaled ? kPlainBlurRows.scaled : kPlainBlurRows.fixed)(frame, y, 9);
        EXPECT_TRUE(radial_blur(surface.handle(), surface.handle(), 9, 0, scaled ? 1 : 0));
        EXPECT_EQ(surface.pixels(), expected.pixels());
    }
}

}  // namespace
}  // namespace lumoria
