// Quorvex and fill_color: where the transformed image lands, how it is
// sampled, what stays untouched, and the float-to-byte rule.
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "support.h"

namespace {

using Matrix = std::array<float, 9>;

const Matrix kIdentity{1, 0, 0, 0, 1, 0, 0, 0, 1};
const Pixel kBackground{9, 8, 7, 6};
constexpr int32_t kNearest = 0;
constexpr int32_t kBilinear = 1;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

Matrix translation(float x, float y) { return {1, 0, x, 0, 1, y, 0, 0, 1}; }

int32_t transform(const Bitmap& src, const Bitmap& dest, const Matrix& m, int32_t mode) {
    return QUORVEX(Quorvex)(src.handle(), dest.handle(), m.data(), mode);
}

Bitmap background(int32_t w, int32_t h) {
    Bitmap b(w, h);
    b.fill(kBackground);
    return b;
}

// Every pixel tells where it comes from: blue is x, green is y.
Bitmap labelled(int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.set(x, y, Pixel{uint8_t(x), uint8_t(y), 77, uint8_t(100 + x + 3 * y)});
    return b;
}

TEST(Quorvex, IdentityCopiesEveryPixelInBothModes) {
    Bitmap src(13, 9);
    src.randomize(1);
    for (int32_t mode : {kNearest, kBilinear}) {
        Bitmap dest(13, 9);
        dest.randomize(2);
        EXPECT_EQ(transform(src, dest, kIdentity, mode), 0);
        EXPECT_EQ(dest.pixels(), src.pixels()) << "mode " << mode;
        EXPECT_TRUE(dest.intact());
    }
}

TEST(Quorvex, TranslationMovesTheImageAndKeepsTheUncoveredColumns) {
    const Bitmap src = labelled(30, 4);
    for (int32_t mode : {kNearest, kBilinear}) {
        Bitmap dest = background(30, 4);
        EXPECT_EQ(transform(src, dest, translation(10, 0), mode), 0);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 30; ++x)
                EXPECT_EQ(dest.get(x, y), x < 10 ? kBackground : src.get(x - 10, y))
                    << "mode " << mode << " at " << x << ", " << y;
    }
}

TEST(Quorvex, LargerDestinationReceivesTheSourceCentred) {
    for (auto [w, h] : {std::pair{7, 5}, {8, 6}}) {
        const Bitmap src = labelled(w, h);
        for (int32_t mode : {kNearest, kBilinear}) {
            Bitmap dest = background(w + 4, h + 4);
            EXPECT_EQ(transform(src, dest, kIdentity, mode), 0);
            for (int32_t y = 0; y < h + 4; ++y)
                for (int32_t x = 0; x < w + 4; ++x) {
                    const bool border = x < 2 || y < 2 || x >= w + 2 || y >= h + 2;
                    EXPECT_EQ(dest.get(x, y), border ? kBackground : src.get(x - 2, y - 2))
                        << w << " x " << h << " mode " << mode << " at " << x << ", " << y;
                }
        }
    }
}

// Centres lie on pixel corners, so a quarter turn about them moves the image
// by one column: the source's left column becomes the top row from the right
// edge, its top row falls outside and the destination's left column is kept.
TEST(Quorvex, QuarterTurnClockwise) {
    for (int32_t n : {6, 5}) {
        const Bitmap src = labelled(n, n);
        const Matrix turn{0, -1, 0, 1, 0, 0, 0, 0, 1};
        for (int32_t mode : {kNearest, kBilinear}) {
            Bitmap dest = background(n, n);
            EXPECT_EQ(transform(src, dest, turn, mode), 0);
            for (int32_t y = 0; y < n; ++y) {
                EXPECT_EQ(dest.get(0, y), kBackground);
                for (int32_t x = 1; x < n; ++x)
                    EXPECT_EQ(dest.get(x, y), src.get(y, n - x))
                        << n << " mode " << mode << " at " << x << ", " << y;
            }
        }
    }
}

// Blue ramps along x and green along y in steps of 20.
Bitmap ramp(int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.set(x, y, Pixel{uint8_t(10 + 20 * x), uint8_t(10 + 20 * y), 100, 255});
    return b;
}

TEST(Quorvex, DoubleSizeRepeatsInNearestAndFillsHalfwayInBilinear) {
    const Bitmap src = ramp(4, 3);
    const Matrix twice{2, 0, 0, 0, 2, 0, 0, 0, 1};

    Bitmap nearest = background(8, 6);
    EXPECT_EQ(transform(src, nearest, twice, kNearest), 0);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 8; ++x) EXPECT_EQ(nearest.get(x, y), src.get(x / 2, y / 2));

    // Odd columns and rows lie halfway between two source pixels; the last
    // ones have no neighbour beyond, interpolate with themselves and repeat
    // the last source column and row.
    Bitmap smooth = background(8, 6);
    EXPECT_EQ(transform(src, smooth, twice, kBilinear), 0);
    auto halfway = [](int32_t i, int32_t last) {
        return uint8_t(i < last ? 10 + 10 * i : 10 + 10 * (last - 1));
    };
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 8; ++x)
            EXPECT_EQ(smooth.get(x, y), (Pixel{halfway(x, 7), halfway(y, 5), 100, 255}))
                << x << ", " << y;
    EXPECT_TRUE(smooth.intact());
}

TEST(Quorvex, EveryModeButOneIsNearest) {
    const Bitmap src = ramp(9, 5);
    const Matrix half_right = translation(0.5f, 0);
    Bitmap expected = background(9, 5);
    for (int32_t y = 0; y < 5; ++y)
        for (int32_t x = 1; x < 9; ++x) expected.set(x, y, src.get(x - 1, y));
    for (int32_t mode : {0, 2, -1, INT_MIN, INT_MAX}) {
        Bitmap dest = background(9, 5);
        EXPECT_EQ(transform(src, dest, half_right, mode), 0);
        EXPECT_EQ(dest.pixels(), expected.pixels()) << "mode " << mode;
    }
    Bitmap smooth = background(9, 5);
    transform(src, smooth, half_right, kBilinear);
    EXPECT_NE(smooth.pixels(), expected.pixels());
}

TEST(Quorvex, EmptyBitmapsWriteNothingAndAreNotRefused) {
    const Bitmap src = labelled(6, 6);
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-3, 4}, {4, -3}}) {
        Bitmap empty(w, h);
        Bitmap dest = background(6, 6);
        for (int32_t mode : {kNearest, kBilinear}) {
            EXPECT_EQ(transform(src, empty, kIdentity, mode), 0);
            EXPECT_EQ(transform(empty, dest, kIdentity, mode), 0);
        }
        EXPECT_TRUE(empty.intact()) << w << " x " << h;
        EXPECT_EQ(dest.pixels(), background(6, 6).pixels()) << w << " x " << h;
    }
}

TEST(Quorvex, SingularOrNaNMatrixLeavesTheDestinationUnchanged) {
    const Bitmap src = labelled(8, 8);
    const Matrix matrices[] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {1, 2, 0, 2, 4, 0, 0, 0, 1},
        {1, 0, 0, 0, 1, 0, 0, 0, 0},
        {-1, 0, 0, 0, 1, 0, 0, 0, 0},
        {1e-30f, 0, 0, 0, 1e-30f, 0, 0, 0, 1e-30f},  // the determinant underflows to 0
        {1, 0, kNaN, 0, 1, 0, 0, 0, 1},
        {kInfinity, 0, 0, 0, 1, 0, 0, 0, 1},
    };
    for (const Matrix& m : matrices)
        for (int32_t mode : {kNearest, kBilinear}) {
            Bitmap dest = background(8, 8);
            EXPECT_EQ(transform(src, dest, m, mode), 0);
            EXPECT_EQ(dest.pixels(), background(8, 8).pixels()) << m[0] << " mode " << mode;
        }
}

TEST(Quorvex, ExtremeMatricesStayInsideBothBitmaps) {
    const float big = std::numeric_limits<float>::max();
    const float tiny = std::numeric_limits<float>::denorm_min();
    const Matrix matrices[] = {
        {1e30f, 0, 0, 0, 1e30f, 0, 0, 0, 1},  // determinant overflows: the source centre
        {1e-20f, 0, 0, 0, 1e-20f, 0, 0, 0, 1},
        {big, -big, big, tiny, big, -tiny, 0, 0, 1},
        {0.999999f, 1e-7f, -0.5f, -1e-7f, 1.000001f, 0.4999999f, 0, 0, 1},
        {1, 0, 1e9f, 0, 1, -1e9f, 0, 0, 1},
        {0.01f, 0, 0, 0, 0.01f, 0, 0.5f, -0.5f, 1},
    };
    for (const Matrix& m : matrices)
        for (int32_t mode : {kNearest, kBilinear}) {
            Bitmap src(5, 7), dest(9, 4);
            src.randomize(3);
            EXPECT_EQ(transform(src, dest, m, mode), 0);
            EXPECT_TRUE(src.intact());
            EXPECT_TRUE(dest.intact());
        }
}

// The same bitmap as source and destination: rows are walked top down and
// pixels left to right, and what was written is what later reads see.
TEST(Quorvex, InPlaceReadsWhatItHasAlreadyWritten) {
    Bitmap right = labelled(6, 3);
    EXPECT_EQ(transform(right, right, translation(1, 0), kNearest), 0);
    for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(right.get(x, 1), labelled(6, 3).get(0, 1)) << x;

    Bitmap left = labelled(6, 3);
    EXPECT_EQ(transform(left, left, translation(-1, 0), kNearest), 0);
    for (int32_t x = 0; x < 5; ++x) EXPECT_EQ(left.get(x, 1), labelled(6, 3).get(x + 1, 1));
    EXPECT_EQ(left.get(5, 1), labelled(6, 3).get(5, 1));

    Bitmap down = labelled(3, 5);
    EXPECT_EQ(transform(down, down, translation(0, 1), kNearest), 0);
    for (int32_t y = 0; y < 5; ++y) EXPECT_EQ(down.get(2, y), labelled(3, 5).get(2, 0)) << y;

    // Half a pixel to the right: each pixel averages its already averaged left
    // neighbour with itself.
    Bitmap smooth(4, 1);
    const uint8_t blues[] = {0, 100, 200, 40};
    for (int32_t x = 0; x < 4; ++x) smooth.set(x, 0, Pixel{blues[x], 0, 0, 255});
    EXPECT_EQ(transform(smooth, smooth, translation(0.5f, 0), kBilinear), 0);
    const uint8_t expected[] = {0, 50, 125, 82};
    for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(smooth.get(x, 0).b, expected[x]) << x;
}

TEST(Quorvex, BitmapWithoutSurfaceIsRefusedBeforeTheMatrixIsRead) {
    auto quorvex = QUORVEX(Quorvex);
    Bitmap none = Bitmap::without_surface();
    Bitmap other = background(4, 4);
    EXPECT_EQ(quorvex(none.handle(), other.handle(), nullptr, kNearest), 1);
    EXPECT_EQ(quorvex(other.handle(), none.handle(), nullptr, kBilinear), 1);
    EXPECT_EQ(quorvex(none.handle(), none.handle(), nullptr, kNearest), 1);
    EXPECT_EQ(other.pixels(), background(4, 4).pixels());
    EXPECT_TRUE(none.intact());
}

// Fixed random matrices and pixels, hashed: the bytes must be the same in
// every build, 32-bit and 64-bit alike.
uint64_t fnv1a(uint64_t hash, const std::vector<uint8_t>& bytes) {
    for (uint8_t byte : bytes) hash = (hash ^ byte) * 0x100000001b3ull;
    return hash;
}

// A linear congruential generator: the same numbers on every build.
struct Lcg {
    uint32_t state;
    // A multiple of 1 / scale in [-1000 / scale, 1000 / scale].
    float value(float scale) {
        state = state * 1664525u + 1013904223u;
        return float(int32_t((state >> 8) % 2001) - 1000) / scale;
    }
};

Matrix random_matrix(Lcg& rng, bool projective) {
    Matrix m;
    m[0] = rng.value(400), m[1] = rng.value(400), m[2] = rng.value(125);
    m[3] = rng.value(400), m[4] = rng.value(400), m[5] = rng.value(125);
    m[6] = projective ? rng.value(20000) : 0;
    m[7] = projective ? rng.value(20000) : 0;
    m[8] = projective ? 1 + rng.value(10000) : 1;
    return m;
}

TEST(Quorvex, GoldenBytes) {
    Lcg rng{12345};
    uint64_t hash = 0xcbf29ce484222325ull;
    const Matrix turn_by_3_4_5{0.6f, -0.8f, 0.25f, 0.8f, 0.6f, -0.75f, 0, 0, 1};
    for (int i = 0; i < 12; ++i) {
        const Matrix m = i == 0 ? turn_by_3_4_5 : random_matrix(rng, i % 3 == 2);
        const int32_t mode = i % 2 == 0 ? kBilinear : kNearest;
        Bitmap src(23, 17), dest(29, 21);
        src.randomize(100 + i);
        dest.randomize(200 + i);
        ASSERT_EQ(transform(src, dest, m, mode), 0);
        hash = fnv1a(hash, dest.pixels());
        ASSERT_EQ(transform(src, src, m, mode), 0);
        hash = fnv1a(hash, src.pixels());
    }
    EXPECT_EQ(hash, 0x1bf257f673e465e9ull);
}

// fill_color

int32_t fill(const Bitmap& b, float red, float green, float blue) {
    const float color[3] = {red, green, blue};
    return QUORVEX(fill_color)(b.handle(), color);
}

// The colour bytes a single component stores, read back from a 1 x 1 fill.
uint8_t stored(float component) {
    Bitmap b(1, 1);
    fill(b, component, 0, 0);
    return b.get(0, 0).r;
}

TEST(FillColor, SetsColourAndKeepsEveryAlpha) {
    Bitmap b(5, 3);
    b.randomize(7);
    const std::vector<uint8_t> before = b.pixels();
    EXPECT_EQ(fill(b, 255.9f, 0.5f, 128.0f), 0);
    const std::vector<uint8_t> after = b.pixels();
    for (size_t i = 0; i < after.size(); i += 4) {
        EXPECT_EQ(after[i + 0], 128);
        EXPECT_EQ(after[i + 1], 0);
        EXPECT_EQ(after[i + 2], 255);
        EXPECT_EQ(after[i + 3], before[i + 3]);
    }
    EXPECT_EQ(fill(b, 256.0f, -1.0f, 10.0f), 0);
    EXPECT_EQ(b.get(4, 2), (Pixel{10, 255, 0, before[before.size() - 1]}));
    EXPECT_TRUE(b.intact());

    Bitmap clear(2, 2);
    EXPECT_EQ(fill(clear, 200, 100, 50), 0);
    EXPECT_EQ(clear.get(1, 1), (Pixel{50, 100, 200, 0}));
}

TEST(FillColor, TruncatesTowardZeroAndKeepsTheLowEightBits) {
    EXPECT_EQ(stored(255.9f), 255);
    EXPECT_EQ(stored(0.7f), 0);
    EXPECT_EQ(stored(-0.7f), 0);
    EXPECT_EQ(stored(256.0f), 0);
    EXPECT_EQ(stored(-1.0f), 255);
    EXPECT_EQ(stored(-1.5f), 255);
    EXPECT_EQ(stored(1000.0f), 232);
    // The largest magnitudes whose truncation still fits 32 bits.
    EXPECT_EQ(stored(2147483520.0f), 0x80);
    EXPECT_EQ(stored(-2147483520.0f), 0x80);
    EXPECT_EQ(stored(-2147483648.0f), 0);
}

TEST(FillColor, NaNAndOutOfRangeComponentsStoreZero) {
    for (float v :
         {kNaN, -kNaN, 1e10f, -1e10f, 2147483648.0f, -2147483904.0f, kInfinity, -kInfinity}) {
        Bitmap b(1, 1);
        b.fill(Pixel{1, 2, 3, 4});
        EXPECT_EQ(fill(b, v, v, v), 0);
        EXPECT_EQ(b.get(0, 0), (Pixel{0, 0, 0, 4})) << v;
    }
}

TEST(FillColor, EmptyIsDoneAndMissingSurfaceIsRefused) {
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-3, 4}, {4, -3}}) {
        Bitmap b(w, h);
        EXPECT_EQ(fill(b, 1, 2, 3), 0);
        EXPECT_TRUE(b.intact()) << w << " x " << h;
    }
    Bitmap none = Bitmap::without_surface();
    EXPECT_EQ(QUORVEX(fill_color)(none.handle(), nullptr), 1);
    EXPECT_TRUE(none.intact());
}

// The engine passes addresses of its own float arrays, with no promise of
// alignment.
TEST(QuorvexArguments, MatrixAndColourNeedNoAlignment) {
    alignas(4) unsigned char bytes[1 + sizeof(Matrix)];
    std::memcpy(bytes + 1, kIdentity.data(), sizeof(Matrix));
    const float* unaligned = reinterpret_cast<const float*>(bytes + 1);

    Bitmap src(3, 2), dest(3, 2);
    src.randomize(9);
    EXPECT_EQ(QUORVEX(Quorvex)(src.handle(), dest.handle(), unaligned, kBilinear), 0);
    EXPECT_EQ(dest.pixels(), src.pixels());

    const float rgb[3] = {1, 2, 3};
    std::memcpy(bytes + 1, rgb, sizeof rgb);
    EXPECT_EQ(QUORVEX(fill_color)(dest.handle(), unaligned), 0);
    EXPECT_EQ(dest.get(2, 1).b, 3);
    EXPECT_EQ(dest.get(2, 1).r, 1);
}

}  // namespace
