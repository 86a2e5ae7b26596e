// The vectorised Quorvex rows against their plain twins, on random and
// extreme matrices, sources from one pixel up and destination rows of every
// short width; and the conditions under which the export uses them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "Quorvex.h"
#include "Quorvex/fill_rows.h"
#include "Quorvex/inverse_map.h"
#include "Quorvex/transform_rows.h"
#include "host/cpu_features.h"
#include "host/host_bitmap.h"
#include "standin/bitmap.h"
#include "tests/internal/vector_sets.h"

namespace quorvex {
namespace {

using Matrix = std::vector<float>;

using RowSet = ::RowSet<RowTransforms>;

// The vectorised sets this CPU can run.
std::vector<RowSet> vector_sets() { return vector_sets_of(kTransformVariants); }

host::Surface surface_of(const standin::Bitmap& b) {
    host::Surface s;
    EXPECT_TRUE(host::resolve(b.handle(), s));
    return s;
}

std::string describe(const Matrix& m) {
    std::string s;
    for (float v : m) s += std::to_string(v) + " ";
    return s;
}

// Transforms `src` into two copies of `dest`, one by the plain rows and one
// by each vectorised set, and expects the same bytes, an untouched source
// and nothing written outside the destination rows.
void expect_same(const standin::Bitmap& src, int32_t dest_width, int32_t dest_height,
                 const Matrix& m, uint32_t seed) {
    const host::Surface source = surface_of(src);
    const std::vector<uint8_t> source_pixels = src.pixels();
    const InverseMap map =
        make_inverse_map(m.data(), src.width(), src.height(), dest_width, dest_height);
    for (const bool bilinear : {false, true}) {
        standin::Bitmap expected(dest_width, dest_height);
        expected.randomize(seed);
        const host::Surface plain_dest = surface_of(expected);
        for (int32_t y = 0; y < dest_height; ++y)
            (bilinear ? bilinear_row : nearest_row)(map, row_terms(map, y), source,
                                                    plain_dest.row(y), dest_width);
        for (const RowSet& set : vector_sets()) {
            standin::Bitmap dest(dest_width, dest_height);
            dest.randomize(seed);
            const host::Surface fast_dest = surface_of(dest);
            ASSERT_TRUE(suits_vectors(source, fast_dest));
            const RowTransform row = bilinear ? set.rows->bilinear : set.rows->nearest;
            for (int32_t y = 0; y < dest_height; ++y)
                row(map, row_terms(map, y), source, fast_dest.row(y), dest_width);
            ASSERT_EQ(dest.pixels(), expected.pixels())
                << set.name << (bilinear ? " bilinear" : " nearest") << ", source " << src.width()
                << " x " << src.height() << ", destination " << dest_width << " x " << dest_height
                << ", matrix " << describe(m);
            ASSERT_TRUE(dest.intact()) << set.name;
        }
    }
    ASSERT_EQ(src.pixels(), source_pixels);
    ASSERT_TRUE(src.intact());
}

// A matrix of turns, scales, shears and shifts of every size, with an
// occasional third row.
Matrix random_matrix(std::mt19937& rng) {
    std::uniform_real_distribution<float> unit(-1, 1);
    const float angle = unit(rng) * 3.2f;
    const float scale = std::exp2(unit(rng) * 3);
    Matrix m{scale * std::cos(angle),
             -scale * std::sin(angle) + unit(rng) * 0.3f,
             unit(rng) * 40,
             scale * std::sin(angle),
             scale * std::cos(angle),
             unit(rng) * 40,
             0,
             0,
             1};
    if (rng() % 4 == 0) {
        m[6] = unit(rng) * 0.01f;
        m[7] = unit(rng) * 0.01f;
        m[8] = 1 + unit(rng) * 0.5f;
    }
    if (rng() % 3 == 0) m[2] = std::round(m[2] * 2) / 2, m[5] = std::round(m[5] * 2) / 2;
    return m;
}

TEST(QuorvexRows, RandomMatricesSourcesAndWidths) {
    std::mt19937 rng(11);
    const int32_t source_sizes[][2] = {{1, 1}, {1, 9},   {9, 1},  {2, 2},  {3, 7},
                                       {8, 5}, {17, 13}, {40, 3}, {64, 48}};
    uint32_t seed = 1;
    for (const auto& size : source_sizes) {
        standin::Bitmap src(size[0], size[1]);
        src.randomize(seed++);
        for (int32_t dest_width = 1; dest_width <= 40; ++dest_width)
            expect_same(src, dest_width, 1 + dest_width % 7, random_matrix(rng), seed++);
        for (int32_t dest_width : {100, 257, 333})
            expect_same(src, dest_width, 9, random_matrix(rng), seed++);
    }
}

// Points on exact pixel corners and edges, the last column and row, and
// whole-pixel and half-pixel shifts: where the plain rule takes its shortcuts
// and where neighbours pair with themselves.
TEST(QuorvexRows, ExactScalesShiftsAndMirrors) {
    const Matrix matrices[] = {
        {1, 0, 0, 0, 1, 0, 0, 0, 1},       {2, 0, 0, 0, 2, 0, 0, 0, 1},
        {0.5f, 0, 0, 0, 0.5f, 0, 0, 0, 1}, {1, 0, 0.5f, 0, 1, -0.5f, 0, 0, 1},
        {1, 0, -3, 0, 1, 2, 0, 0, 1},      {-1, 0, 0, 0, 1, 0, 0, 0, 1},
        {1, 0, 0, 0, -1, 0, 0, 0, 1},      {0, -1, 0, 1, 0, 0, 0, 0, 1},
        {4, 0, 0.25f, 0, 3, 0, 0, 0, 1},   {1.0001f, 0, 0, 0, 0.9999f, 0, 0, 0, 1},
        {3, 0, 0, 0, 0.25f, 0, 0, 0, 1},
    };
    uint32_t seed = 100;
    for (const Matrix& m : matrices)
        for (const auto& size : {std::pair{5, 4}, {8, 8}, {1, 6}, {7, 1}, {16, 3}}) {
            standin::Bitmap src(size.first, size.second);
            src.randomize(seed++);
            for (int32_t dest_width : {1, 5, 8, 13, 16, 31})
                expect_same(src, dest_width, 9, m, seed++);
        }
}

// Matrices that the plain rows draw nothing with, or that land points far
// away, at huge or tiny scales: the vectors must skip and keep the same lanes.
TEST(QuorvexRows, SingularNaNInfiniteHugeAndTinyMatrices) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::denorm_min();
    const Matrix matrices[] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {1, 2, 0, 2, 4, 0, 0, 0, 1},
        {1, 0, 0, 0, 1, 0, 0, 0, 0},
        {1, 0, nan, 0, 1, 0, 0, 0, 1},
        {inf, 0, 0, 0, 1, 0, 0, 0, 1},
        {1, 0, 0, 0, 1, 0, nan, 0, 1},
        {1e30f, 0, 0, 0, 1e30f, 0, 0, 0, 1},
        {1e-20f, 0, 0, 0, 1e-20f, 0, 0, 0, 1},
        {big, -big, big, tiny, big, -tiny, 0, 0, 1},
        {1, 0, 1e9f, 0, 1, -1e9f, 0, 0, 1},
        {1e-30f, 0, 0, 0, 1e-30f, 0, 0, 0, 1e-30f},
        {tiny, 0, 0, 0, tiny, 0, 0, 0, 1},
        {0.01f, 0, 0, 0, 0.01f, 0, 0.5f, -0.5f, 1},
        {1, 0, 3e7f, 0, 1, 0, 0, 0, 1},
        {-1e-7f, 1, 0, 1, 1e-7f, 0, 0, 0, -1},
    };
    uint32_t seed = 500;
    for (const Matrix& m : matrices) {
        standin::Bitmap src(6, 5);
        src.randomize(seed++);
        for (int32_t dest_width : {3, 8, 11, 24}) expect_same(src, dest_width, 7, m, seed++);
    }
}

// The export uses the vectors only where they are safe: a destination that
// shares memory with the source keeps the plain walk, whose later reads see
// its earlier writes; so does a source too large for 32-bit offsets.
TEST(QuorvexRows, VectorsOnlyForSeparateMemoryAndFittingOffsets) {
    standin::Bitmap a(4, 4), b(4, 4);
    const host::Surface sa = surface_of(a), sb = surface_of(b);
    EXPECT_TRUE(suits_vectors(sa, sb));
    EXPECT_FALSE(suits_vectors(sa, sa));
    host::Surface shifted = sa;  // overlapping rows of another shape
    shifted.width = 2;
    shifted.row0 = sa.row0 - 8;
    EXPECT_FALSE(suits_vectors(sa, shifted));
    EXPECT_FALSE(suits_vectors(shifted, sa));
    host::Surface huge = sa;
    huge.width = 65536;
    huge.height = 32768;
    EXPECT_FALSE(suits_vectors(huge, sb));
    host::Surface empty = sa;
    empty.width = 0;
    EXPECT_FALSE(suits_vectors(empty, sb));

    // In place, through the export, against the plain rows run in place.
    const Matrix shifts[] = {{1, 0, 1, 0, 1, 0, 0, 0, 1},
                             {1, 0, 0.5f, 0, 1, 0.5f, 0, 0, 1},
                             {0.8f, -0.6f, 0.3f, 0.6f, 0.8f, 0.2f, 0, 0, 1}};
    uint32_t seed = 900;
    for (const Matrix& m : shifts)
        for (int32_t mode : {0, 1}) {
            standin::Bitmap actual(29, 11), expected(29, 11);
            actual.randomize(seed);
            expected.randomize(seed++);
            const host::Surface s = surface_of(expected);
            const InverseMap map = make_inverse_map(m.data(), 29, 11, 29, 11);
            for (int32_t y = 0; y < 11; ++y)
                (mode == 1 ? bilinear_row : nearest_row)(map, row_terms(map, y), s, s.row(y), 29);
            ASSERT_EQ(::Quorvex(actual.handle(), actual.handle(), m.data(), mode), 0);
            EXPECT_EQ(actual.pixels(), expected.pixels()) << "mode " << mode << " " << describe(m);
        }
}

// fill_color's vector rows against the plain row on random rows of every
// short width at every byte offset; the bytes around the row must not change.
TEST(QuorvexRows, FillRowsKeepAlphaAndStayInTheirRow) {
    std::mt19937 rng(5);
    constexpr size_t kMargin = 40;
    for (const auto& set : vector_sets_of(kFillVariants)) {
        for (int32_t width = 0; width <= 70; ++width) {
            for (size_t offset = 0; offset < 4; ++offset) {
                std::vector<uint8_t> start(2 * kMargin + static_cast<size_t>(width) * 4);
                for (uint8_t& b : start) b = static_cast<uint8_t>(rng());
                const uint32_t colour = rng() & 0x00FFFFFFu;
                std::vector<uint8_t> plain = start, fast = start;
                kPlainFillRows.fill(plain.data() + kMargin + offset, width, colour);
                set.rows->fill(fast.data() + kMargin + offset, width, colour);
                ASSERT_EQ(plain, fast) << set.name << " width " << width << " offset " << offset;
            }
        }
    }
}

}  // namespace
}  // namespace quorvex
