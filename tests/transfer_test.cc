// blt and simple_blt, and the frame every block transfer shares: clipping,
// refusals, walk order on overlapping rectangles, arguments at their limits.
#include <climits>
#include <vector>

#include "transfer_support.h"

namespace {

using transfer_support::blended;
using transfer_support::drawn;
using transfer_support::exact_copies;
using transfer_support::NamedTransfer;
using transfer_support::numbered;

const Pixel kBackground{200, 201, 202, 203};

Pixel alpha_over(int32_t opacity, Pixel dest, Pixel src) {
    return drawn(dest, src, [&](int32_t d, int32_t s) {
        return LUMORIA(blt)(d, s, 0, 0, 0, 0, 1, 1, opacity);
    });
}

TEST(AlphaOver, WorkedExamples) {
    EXPECT_EQ(alpha_over(200, {10, 200, 255, 255}, {50, 60, 70, 255}), (Pixel{41, 90, 109, 255}));
    // Each of the two quotients truncates on its own.
    EXPECT_EQ(alpha_over(128, {1, 1, 1, 255}, {1, 1, 1, 255}), (Pixel{0, 0, 0, 255}));
    // Half-opaque over alpha 100 grows the alpha to 164, and repeated drawing
    // saturates it.
    EXPECT_EQ(alpha_over(128, {0, 0, 0, 100}, {0, 0, 0, 255}).a, 164);
    EXPECT_EQ(alpha_over(128, {0, 0, 0, 250}, {0, 0, 0, 255}).a, 255);
}

TEST(AlphaOver, FullDrawCopiesColourAndMakesOpaque) {
    for (Pixel dest : {Pixel{9, 9, 9, 0}, Pixel{9, 9, 9, 100}, Pixel{9, 9, 9, 255}})
        EXPECT_EQ(alpha_over(255, dest, {1, 2, 3, 255}), (Pixel{1, 2, 3, 255}));
    // What counts is the alpha product, not the opacity alone.
    EXPECT_EQ(alpha_over(65025, {9, 9, 9, 9}, {1, 2, 3, 1}), (Pixel{1, 2, 3, 255}));
}

TEST(AlphaOver, TransparentDestinationTakesSourceColour) {
    EXPECT_EQ(alpha_over(200, {9, 9, 9, 0}, {1, 2, 3, 128}), (Pixel{1, 2, 3, 100}));
    EXPECT_EQ(alpha_over(200, {9, 9, 9, 0}, {1, 2, 3, 0}), (Pixel{1, 2, 3, 0}));
    EXPECT_EQ(alpha_over(200, {9, 9, 9, 1}, {1, 2, 3, 0}), (Pixel{9, 9, 9, 1}));
}

TEST(AlphaOver, FaintPixelIsSkippedAndTheRowGoesOn) {
    transfer_support::drawn_around_a_faint_pixel(
        [](int32_t d, int32_t s) { return LUMORIA(blt)(d, s, 0, 0, 0, 0, 3, 1, 100); });
}

TEST(SimpleBlt, CopiesAllFourBytes) {
    Bitmap dest(2, 1), src(2, 1);
    dest.fill({9, 9, 9, 255});
    src.set(0, 0, {1, 2, 3, 0});
    src.set(1, 0, {4, 5, 6, 77});
    EXPECT_EQ(LUMORIA(simple_blt)(dest.handle(), src.handle(), 0, 0, 0, 0, 2, 1), 1);
    EXPECT_EQ(dest.pixels(), src.pixels());
}

// For each destination column of row y: the source column copied there
// (the blue byte of a numbered source), or -1 where nothing was drawn.
std::vector<int> source_columns(const Bitmap& dest, int32_t y) {
    std::vector<int> columns;
    for (int32_t x = 0; x < dest.width(); ++x) {
        const Pixel p = dest.get(x, y);
        columns.push_back(p == kBackground ? -1 : p.b);
    }
    return columns;
}

// Destination columns first..first+n-1 drawn from source columns from.., the
// rest untouched.
std::vector<int> drawn_at(int width, int first, int n, int from) {
    std::vector<int> columns(width, -1);
    for (int i = 0; i < n; ++i) columns[first + i] = from + i;
    return columns;
}

struct Case {
    int32_t src_width, dx, sx, width;
    std::vector<int> expected;
};

TEST(TransferClipping, OriginsAreClampedAndTheSizeCutToBoth) {
    const Case cases[] = {
        {100, -5, 0, 10, drawn_at(100, 0, 10, 0)},    // moved onto the destination
        {100, 0, -3, 4, drawn_at(100, 0, 4, 0)},      // moved onto the source
        {100, 0, 95, 10, drawn_at(100, 0, 5, 95)},    // cut to the source
        {100, 97, 95, 10, drawn_at(100, 97, 3, 95)},  // then to the destination
        {4, 98, 0, 10, drawn_at(100, 98, 2, 0)},      // narrow source first
        {100, 0, 100, 10, drawn_at(100, 0, 0, 0)},
        {100, 0, 150, 10, drawn_at(100, 0, 0, 0)},
        {100, 100, 0, 10, drawn_at(100, 0, 0, 0)},
        {100, 0, 0, 0, drawn_at(100, 0, 0, 0)},
        {100, 50, 0, INT_MAX, drawn_at(100, 50, 50, 0)},
        {100, INT_MIN, INT_MIN, INT_MAX, drawn_at(100, 0, 100, 0)},
        {100, INT_MAX, 0, INT_MAX, drawn_at(100, 0, 0, 0)},
        {100, 0, INT_MAX, INT_MAX, drawn_at(100, 0, 0, 0)},
    };
    for (const NamedTransfer& t : exact_copies()) {
        for (const Case& c : cases) {
            Bitmap dest(100, 1);
            dest.fill(kBackground);
            Bitmap src = numbered(c.src_width, 1);
            EXPECT_EQ(t.call(dest.handle(), src.handle(), c.dx, 0, c.sx, 0, c.width, 1), 1);
            EXPECT_EQ(source_columns(dest, 0), c.expected)
                << t.name << " dx " << c.dx << " sx " << c.sx << " width " << c.width;
            EXPECT_TRUE(dest.intact());
        }
    }
}

TEST(TransferClipping, RowsFollowTheSameRule) {
    for (const NamedTransfer& t : exact_copies()) {
        Bitmap dest(1, 6);
        dest.fill(kBackground);
        Bitmap src = numbered(1, 4);
        // Starts above the destination, so is moved down onto row 0, and is
        // cut to the three source rows below row 1.
        EXPECT_EQ(t.call(dest.handle(), src.handle(), 0, -2, 0, 1, 1, 10), 1);
        for (int32_t y = 0; y < 6; ++y)
            EXPECT_EQ(dest.get(0, y), y < 3 ? src.get(0, y + 1) : kBackground) << t.name;
        EXPECT_EQ(t.call(dest.handle(), src.handle(), 0, 0, 0, 0, 1, 0), 1) << t.name;
        EXPECT_EQ(t.call(dest.handle(), src.handle(), 0, 6, 0, 0, 1, 4), 1) << t.name;
        EXPECT_EQ(t.call(dest.handle(), src.handle(), 0, 0, 0, 4, 1, 4), 1) << t.name;
        EXPECT_EQ(dest.get(0, 3), kBackground);
        EXPECT_TRUE(dest.intact());
    }
}

TEST(TransferClipping, OverlapReadsPixelsAlreadyWritten) {
    for (const NamedTransfer& t : exact_copies()) {
        // One to the right: every pixel of a row becomes a copy of its first.
        Bitmap right = numbered(6, 3);
        EXPECT_EQ(t.call(right.handle(), right.handle(), 1, 0, 0, 0, 5, 3), 1);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 6; ++x)
                EXPECT_EQ(right.get(x, y), (Pixel{0, static_cast<uint8_t>(y), 7, 255})) << t.name;

        // One down: rows are walked top first, so every row copies row 0.
        Bitmap down = numbered(4, 3);
        EXPECT_EQ(t.call(down.handle(), down.handle(), 0, 1, 0, 0, 4, 2), 1);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 4; ++x)
                EXPECT_EQ(down.get(x, y), (Pixel{static_cast<uint8_t>(x), 0, 7, 255})) << t.name;

        // One to the left: a plain shift, nothing is read after it is written.
        Bitmap left = numbered(6, 2);
        EXPECT_EQ(t.call(left.handle(), left.handle(), 0, 0, 1, 0, 5, 2), 1);
        for (int32_t x = 0; x < 6; ++x) EXPECT_EQ(left.get(x, 1).b, x < 5 ? x + 1 : 5) << t.name;
        EXPECT_TRUE(right.intact() && down.intact() && left.intact());
    }
}

TEST(TransferRefusals, NothingIsTouched) {
    auto blt = LUMORIA(blt);
    auto simple_blt = LUMORIA(simple_blt);
    auto blend_blt = LUMORIA(blend_blt);
    auto transfer_blt = LUMORIA(transfer_blt);
    Bitmap dest(4, 4), src(4, 4), none = Bitmap::without_surface();
    dest.randomize(1);
    src.randomize(2);
    const auto before = dest.pixels();
    const int32_t d = dest.handle(), s = src.handle(), n = none.handle();

    for (auto [to, from] : {std::pair{n, s}, {d, n}, {n, n}}) {
        EXPECT_EQ(blt(to, from, 0, 0, 0, 0, 4, 4, 255), 0);
        EXPECT_EQ(simple_blt(to, from, 0, 0, 0, 0, 4, 4), 0);
        for (int32_t mode : {0, 11, 12, 13})
            EXPECT_EQ(blend_blt(to, from, 0, 0, 0, 0, 4, 4, mode, 255), 0) << mode;
        for (int32_t mode : {0, 3, 4})
            EXPECT_EQ(transfer_blt(to, from, 0, 0, 0, 0, 4, 4, mode, 255), 0) << mode;
    }

    // Opacity 0, whatever the mode, except dissolve.
    EXPECT_EQ(blt(d, s, 0, 0, 0, 0, 4, 4, 0), 0);
    for (int32_t mode = -1; mode <= 13; ++mode) {
        if (mode == 12) continue;
        EXPECT_EQ(blend_blt(d, s, 0, 0, 0, 0, 4, 4, mode, 0), 0) << mode;
    }
    for (int32_t mode = -1; mode <= 4; ++mode)
        EXPECT_EQ(transfer_blt(d, s, 0, 0, 0, 0, 4, 4, mode, 0), 0) << mode;

    // A negative size from the caller, wherever the origins lie.
    for (auto [w, h, x] : {std::tuple{-1, 4, 0}, {4, -1, 0}, {-1, 0, 500}, {INT_MIN, 4, -9}}) {
        EXPECT_EQ(blt(d, s, x, x, x, x, w, h, 255), 0);
        EXPECT_EQ(simple_blt(d, s, x, x, x, x, w, h), 0);
        for (int32_t mode : {0, 12, 13})
            EXPECT_EQ(blend_blt(d, s, x, x, x, x, w, h, mode, 255), 0) << mode;
        EXPECT_EQ(transfer_blt(d, s, x, x, x, x, w, h, 0, 255), 0);
    }

    EXPECT_EQ(dest.pixels(), before);
    EXPECT_TRUE(dest.intact() && src.intact() && none.intact());
}

TEST(TransferModes, UnknownModeIsCarriedOutAndChangesNothing) {
    auto blend_blt = LUMORIA(blend_blt);
    auto transfer_blt = LUMORIA(transfer_blt);
    Bitmap dest(3, 3), src(3, 3);
    dest.randomize(6);
    src.randomize(7);
    const auto before = dest.pixels();
    const int32_t d = dest.handle(), s = src.handle();
    for (int32_t mode : {13, -1, 100, INT_MIN})
        EXPECT_EQ(blend_blt(d, s, 0, 0, 0, 0, 3, 3, mode, 255), 1) << mode;
    for (int32_t mode : {4, -1, INT_MAX})
        EXPECT_EQ(transfer_blt(d, s, 0, 0, 0, 0, 3, 3, mode, 255), 1) << mode;
    EXPECT_EQ(dest.pixels(), before);
}

TEST(TransferRefusals, EmptyAndNegativeSurfacesAreNoRefusalAndStayUntouched) {
    for (auto [w, h] : {std::pair{0, 0}, {0, 5}, {5, 0}, {-3, 4}, {4, -3}}) {
        Bitmap odd(w, h), normal(5, 5);
        normal.randomize(3);
        const auto before = normal.pixels();
        for (const NamedTransfer& t : exact_copies()) {
            t.call(odd.handle(), normal.handle(), -2, -2, 0, 0, 10, 10);
            t.call(normal.handle(), odd.handle(), 0, 0, -2, -2, 10, 10);
        }
        EXPECT_EQ(normal.pixels(), before) << w << " x " << h;
        EXPECT_TRUE(odd.intact() && normal.intact()) << w << " x " << h;
    }
}

// Opacities and modes far out of range go through the same 32-bit arithmetic:
// every call is carried out, without undefined behaviour (the sanitizer
// build checks that) and without a write outside the rows.
TEST(TransferArguments, AnyValueIsCarriedOutCleanly) {
    auto blend_blt = LUMORIA(blend_blt);
    auto transfer_blt = LUMORIA(transfer_blt);
    auto blt = LUMORIA(blt);
    const int32_t opacities[] = {INT_MIN, INT_MIN + 1, -65025, -256,  -255,  -1,       1,      128,
                                 254,     256,         257,    65025, 65026, 16843009, INT_MAX};
    for (int32_t opacity : opacities) {
        Bitmap dest(7, 5), src(7, 5);
        dest.randomize(4);
        src.randomize(5);
        for (int32_t mode = -1; mode <= 14; ++mode) {
            EXPECT_EQ(blend_blt(dest.handle(), src.handle(), 0, 0, 0, 0, 7, 5, mode, opacity), 1);
            EXPECT_EQ(transfer_blt(dest.handle(), src.handle(), 0, 0, 0, 0, 7, 5, mode, opacity),
                      1);
            // In place, overlapping.
            EXPECT_EQ(blend_blt(src.handle(), src.handle(), 1, 1, 0, 0, 7, 5, mode, opacity), 1);
            EXPECT_EQ(transfer_blt(src.handle(), src.handle(), 0, 0, 1, 0, 7, 5, mode, opacity), 1);
        }
        EXPECT_EQ(blt(dest.handle(), src.handle(), 0, 0, 0, 0, 7, 5, opacity), 1);
        EXPECT_TRUE(dest.intact() && src.intact()) << opacity;
    }
    EXPECT_EQ(blended(0, INT_MAX, {1, 2, 3, 4}, {5, 6, 7, 0}), (Pixel{1, 2, 3, 4}));
}

}  // namespace
