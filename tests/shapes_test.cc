// draw_circle and draw_ellipse: the worked pixel lists, edge cases of radius,
// thickness and arcs, nested levels, clipping, huge arguments, and a sweep
// against the walks run plainly step by step.
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <random>
#include <set>
#include <utility>

#include "shapes_walk.h"
#include "support.h"

namespace {

using Points = std::set<std::pair<int, int>>;  // (dx, dy) from the centre

const Pixel kBackground{1, 2, 3, 4};
const Pixel kInk{30, 20, 10, 40};  // drawn with red 10, green 20, blue 30, alpha 40

// Pixels of `b` that differ from kBackground, relative to (cx, cy); every
// changed pixel must hold exactly kInk.
Points changed(const Bitmap& b, int cx = 0, int cy = 0) {
    Points points;
    for (int y = 0; y < b.height(); ++y) {
        for (int x = 0; x < b.width(); ++x) {
            if (b.get(x, y) == kBackground) continue;
            EXPECT_EQ(b.get(x, y), kInk) << x << ", " << y;
            points.insert({x - cx, y - cy});
        }
    }
    return points;
}

Bitmap canvas(int w, int h) {
    Bitmap b(w, h);
    b.fill(kBackground);
    return b;
}

// A drawing call on a bitmap with the shape's centre at (cx, cy).
using Draw = std::function<void(const Bitmap&, int cx, int cy)>;

Draw circle(int radius, int thickness, int start = 0, int end = 0) {
    return [=](const Bitmap& b, int cx, int cy) {
        EXPECT_EQ(
            LUMORIA(draw_circle)(b.handle(), cx, cy, radius, thickness, start, end, 10, 20, 30, 40),
            1);
    };
}

Draw ellipse(int rx, int ry, int thickness, int reserved1 = 0, int reserved2 = 0) {
    return [=](const Bitmap& b, int cx, int cy) {
        EXPECT_EQ(LUMORIA(draw_ellipse)(b.handle(), cx, cy, rx, ry, thickness, reserved1, reserved2,
                                        10, 20, 30, 40),
                  1);
    };
}

// The shape drawn around the centre of a bitmap large enough to hold it.
Points shape(const Draw& draw, int reach = 40) {
    Bitmap b = canvas(2 * reach + 1, 2 * reach + 1);
    draw(b, reach, reach);
    EXPECT_TRUE(b.intact());
    return changed(b, reach, reach);
}

void add_row(Points& p, int dy, std::initializer_list<int> columns) {
    for (int dx : columns) p.insert({dx, dy});
}
void add_span(Points& p, int dy, int from, int to) {
    for (int dx = from; dx <= to; ++dx) p.insert({dx, dy});
}

Points quadrant(const Points& all, int sx, int sy) {
    Points q;
    for (auto [dx, dy] : all)
        if (dx * sx >= 0 && dy * sy >= 0) q.insert({dx, dy});
    return q;
}

Points join(const Points& a, const Points& b) {
    Points u = a;
    u.insert(b.begin(), b.end());
    return u;
}

// The shape drawn on a small bitmap placed anywhere is the matching window
// of the shape drawn whole: this is where runs start or end off the bitmap.
void expect_windows_match(const Draw& draw, int reach) {
    const int side = 2 * reach + 1;
    Bitmap whole = canvas(side, side);
    draw(whole, reach, reach);
    const int tile = reach / 3 + 2;
    for (int top = -3; top < side; top += tile - 1) {
        for (int left = -3; left < side; left += tile - 2) {
            Bitmap part = canvas(tile, tile);
            draw(part, reach - left, reach - top);
            for (int y = 0; y < tile; ++y) {
                for (int x = 0; x < tile; ++x) {
                    const bool inside =
                        left + x >= 0 && left + x < side && top + y >= 0 && top + y < side;
                    const Pixel expected = inside ? whole.get(left + x, top + y) : kBackground;
                    ASSERT_EQ(part.get(x, y), expected) << "window at " << left << ", " << top;
                }
            }
            ASSERT_TRUE(part.intact());
        }
    }
}

using Fill = std::function<void(int32_t x, int32_t y, int32_t width, int32_t height)>;
using Walk = std::function<void(const Fill&)>;

// `draw` and `walk` (the plain walk, its runs written with the fill_rect
// export) on two copies of one random w x h bitmap: every byte must agree.
void expect_as_walked(int w, int h, uint32_t seed, const Draw& draw, int cx, int cy,
                      const Walk& walk) {
    static const auto fill_rect = LUMORIA(fill_rect);
    Bitmap drawn(w, h), walked(w, h);
    drawn.randomize(seed);
    walked.randomize(seed);
    draw(drawn, cx, cy);
    walk([&](int32_t x, int32_t y, int32_t width, int32_t height) {
        fill_rect(walked.handle(), x, y, width, height, 10, 20, 30, 40);
    });
    ASSERT_TRUE(drawn.pixels() == walked.pixels());
    ASSERT_TRUE(drawn.intact());
}

// draw_circle against the circle's walk, on a w x h bitmap.
void expect_circle_as_walked(int w, int h, uint32_t seed, int cx, int cy, int radius, int thickness,
                             int start, int end) {
    SCOPED_TRACE(::testing::Message()
                 << w << " x " << h << ", centre " << cx << ", " << cy << ", radius " << radius
                 << ", thickness " << thickness << ", arc " << start << " to " << end);
    expect_as_walked(w, h, seed, circle(radius, thickness, start, end), cx, cy,
                     [&](const Fill& fill) {
                         shapes_walk::circle(fill, cx, cy, radius, thickness, start, end);
                     });
}

// Random cases: bitmaps from one pixel to larger than the shape, centres
// inside, near every edge, off the bitmap and far away.
class Sweep {
  public:
    explicit Sweep(uint32_t seed) : rng_(seed) {}
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    uint32_t seed() { return static_cast<uint32_t>(rng_()); }
    int side() { return between(0, 2) == 0 ? between(1, 8) : between(1, 130); }
    // A centre coordinate for a shape reaching `reach` pixels from it, on a
    // side of `extent` pixels.
    int centre(int reach, int extent) {
        if (between(0, 19) == 0) return between(0, 1) ? 3'000'000 : -3'000'000;
        return between(-reach - 2, extent + reach + 2);
    }

  private:
    std::mt19937 rng_;
};

TEST(Circle, MatchesTheStepByStepWalk) {
    Sweep sweep(5);
    auto angle = [&] {
        switch (sweep.between(0, 3)) {
            case 0: return 0;
            case 1: return 90 * sweep.between(-8, 8);
            case 2: return sweep.between(0, 359);
            default: return sweep.between(-1000, 1000);
        }
    };
    for (int i = 0; i < 3000; ++i) {
        const int w = sweep.side(), h = sweep.side();
        const int radius = sweep.between(-2, 65);
        const int thickness = sweep.between(0, 2) ? sweep.between(-1, 4) : sweep.between(5, 70);
        const int start = angle(), end = angle();
        const int cx = sweep.centre(radius, w), cy = sweep.centre(radius, h);
        expect_circle_as_walked(w, h, sweep.seed(), cx, cy, radius, thickness, start, end);
        if (HasFatalFailure()) return;
    }
}

// Rings many levels thick, whole and cut by the bitmap's edges, full and as
// arcs: more levels than the random cases reach, with centres on the bitmap.
TEST(Circle, ThickLargeRingsMatchTheWalk) {
    Sweep sweep(7);
    for (int i = 0; i < 12; ++i) {
        const int w = sweep.between(200, 700), h = sweep.between(200, 700);
        const int radius = sweep.between(250, 400), thickness = sweep.between(200, 400);
        const int start = i % 3 ? 0 : sweep.between(-400, 400),
                  end = i % 3 ? 0 : sweep.between(-400, 400);
        const int cx = sweep.between(-radius / 2, w + radius / 2);
        const int cy = sweep.between(-radius / 2, h + radius / 2);
        expect_circle_as_walked(w, h, sweep.seed(), cx, cy, radius, thickness, start, end);
        if (HasFatalFailure()) return;
    }
}

TEST(Circle, WorkedRadiusSix) {
    Points expected;
    for (int dy : {-1, 0, 1}) add_row(expected, dy, {-5, 5});
    for (int dy : {-2, 2}) add_row(expected, dy, {-5, -4, 4, 5});
    for (int dy : {-3, 3}) add_row(expected, dy, {-4, 4});
    for (int dy : {-4, 4}) add_row(expected, dy, {-3, -2, 2, 3});
    for (int dy : {-5, 5}) add_span(expected, dy, -2, 2);
    EXPECT_EQ(shape(circle(6, 1)), expected);
}

TEST(Circle, RadiusAndThicknessEdges) {
    const Points centre = {{0, 0}};
    EXPECT_EQ(shape(circle(1, 1)), centre);
    EXPECT_EQ(shape(circle(1, 50, 45, 45)), centre);
    const Points cross = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    EXPECT_EQ(shape(circle(2, 1)), cross);
    EXPECT_EQ(shape(circle(2, 2)), join(cross, centre));
    for (int radius : {0, -1, INT_MIN}) EXPECT_EQ(shape(circle(radius, 5)), Points{});
    // A thickness of 1 or less draws one ring.
    EXPECT_EQ(shape(circle(6, 0)), shape(circle(6, 1)));
    EXPECT_EQ(shape(circle(6, INT_MIN)), shape(circle(6, 1)));
}

TEST(Circle, ArcQuartersAndAngleNormalisation) {
    const Points ring = shape(circle(9, 1));
    const Points upper_left = shape(circle(9, 1, 0, 90));
    EXPECT_EQ(upper_left, quadrant(upper_left, -1, -1));
    EXPECT_TRUE(upper_left.count({0, -8}) && upper_left.count({-8, 0}));
    EXPECT_EQ(shape(circle(9, 1, 270, 0)), quadrant(ring, +1, -1));
    EXPECT_EQ(shape(circle(9, 1, -90, 0)), quadrant(ring, +1, -1));
    const Points lower = join(shape(circle(9, 1, 90, 180)), shape(circle(9, 1, 180, 270)));
    EXPECT_EQ(join(join(upper_left, shape(circle(9, 1, 270, 360))), lower), ring);
    // An arc through 0 degrees.
    EXPECT_EQ(shape(circle(9, 1, 270, 90)), join(quadrant(ring, 1, -1), upper_left));
    for (auto [start, end] : {std::pair{0, 360}, {360, 720}, {-360, 0}, {720, -720}})
        EXPECT_EQ(shape(circle(9, 1, start, end)), ring) << start << " " << end;
    EXPECT_EQ(shape(circle(9, 1, 90, 450)), Points{});
    EXPECT_EQ(shape(circle(9, 1, INT_MIN, INT_MAX)), shape(circle(9, 1, -128, 127)));
}

TEST(Circle, ThickRingsAreTheirLevels) {
    Points levels;
    for (int radius = 12; radius > 7; --radius) levels = join(levels, shape(circle(radius, 1)));
    EXPECT_EQ(shape(circle(12, 5)), levels);
    // A thickness reaching the centre fills the disc: no row has a gap.
    const Points disc = shape(circle(12, 12));
    EXPECT_EQ(disc, shape(circle(12, INT_MAX)));
    for (int dy = -11; dy <= 11; ++dy) {
        int first = 99, last = -99, count = 0;
        for (auto [x, y] : disc) {
            if (y != dy) continue;
            first = std::min(first, x);
            last = std::max(last, x);
            ++count;
        }
        EXPECT_EQ(count, last - first + 1) << "row " << dy;
        EXPECT_EQ(first, -last) << "row " << dy;
    }
    EXPECT_EQ(disc.count({0, 0}), 1u);
    const Points sector = shape(circle(12, 12, 0, 90));
    EXPECT_EQ(sector, quadrant(disc, -1, -1));
    EXPECT_EQ(shape(circle(12, 12, 30, 30)), (Points{{0, 0}}));
}

TEST(Circle, ReplacesPixelsAndClipsAtTheEdges) {
    for (const Draw& draw : {circle(14, 1), circle(14, 6, 100, 10), circle(14, 14, 45, 300)})
        expect_windows_match(draw, 15);
}

TEST(Circle, HugeArgumentsFinishAndStayInPlace) {
    const int r = INT_MAX - 1;  // ring radius of radius INT_MAX
    Bitmap b = canvas(32, 16);
    circle(INT_MAX, INT_MAX)(b, 16, 8);
    EXPECT_EQ(changed(b).size(), 32u * 16u);  // the disc covers the bitmap
    // The ring's right edge runs down column 10.
    Bitmap edge = canvas(32, 16);
    circle(INT_MAX, 1)(edge, 10 - r, 8);
    Points column;
    for (int y = 0; y < 16; ++y) column.insert({10, y});
    EXPECT_EQ(changed(edge), column);
    // Columns past the 32-bit range are not wrapped round: centred at
    // INT_MAX, only the ring's left edge, at column 1, reaches the bitmap.
    Bitmap left = canvas(32, 16);
    circle(INT_MAX, 3)(left, INT_MAX, 8);
    for (auto [x, y] : changed(left)) EXPECT_LE(x, 3) << y;
    EXPECT_TRUE(changed(left).count({1, 8}));
    EXPECT_TRUE(b.intact() && edge.intact() && left.intact());
}

TEST(Circle, BitmapWithoutSurface) {
    Bitmap none = Bitmap::without_surface();
    circle(5, 5)(none, 0, 0);
    EXPECT_TRUE(none.intact());
}

// Semi-axes and levels stay within 150 of 0, where no value of the 32-bit
// walk wraps.
TEST(Ellipse, MatchesTheStepByStepWalk) {
    Sweep sweep(6);
    for (int i = 0; i < 3000; ++i) {
        const int w = sweep.side(), h = sweep.side();
        const int rx = sweep.between(-20, 120), ry = sweep.between(-5, 120);
        const int thickness = sweep.between(0, 2) ? sweep.between(-1, 4) : sweep.between(5, 125);
        const int reserved1 = sweep.between(INT_MIN, INT_MAX), reserved2 = sweep.between(-9, 9);
        const int reach = std::max({rx, 1 - rx, ry, thickness - ry}) + 1;
        const int cx = sweep.centre(reach, w), cy = sweep.centre(reach, h);
        SCOPED_TRACE(::testing::Message()
                     << w << " x " << h << ", centre " << cx << ", " << cy << ", semi-axes " << rx
                     << " x " << ry << ", thickness " << thickness);
        expect_as_walked(
            w, h, sweep.seed(), ellipse(rx, ry, thickness, reserved1, reserved2), cx, cy,
            [&](const Fill& fill) { shapes_walk::ellipse(fill, cx, cy, rx, ry, thickness); });
        if (HasFatalFailure()) return;
    }
}

// Rings many levels thick and longer than the random cases, whole and cut
// by the bitmap's edges. a x b stays below 46341 and the levels stop before
// the flat ones (b^2 <= 2a + 16), where the 32-bit walk does not wrap.
TEST(Ellipse, ThickLargeRingsMatchTheWalk) {
    Sweep sweep(8);
    for (int i = 0; i < 12; ++i) {
        const int w = sweep.between(200, 700), h = sweep.between(200, 700);
        const int rx = sweep.between(60, 700), ry = sweep.between(60, 46340 / rx);
        const int round_levels = ry - static_cast<int>(std::sqrt(2.0 * rx + 16)) - 1;
        const int thickness = sweep.between(round_levels / 2, round_levels);
        const int cx = sweep.between(-rx / 2, w + rx / 2), cy = sweep.between(-ry / 2, h + ry / 2);
        SCOPED_TRACE(::testing::Message()
                     << w << " x " << h << ", centre " << cx << ", " << cy << ", semi-axes " << rx
                     << " x " << ry << ", thickness " << thickness);
        expect_as_walked(
            w, h, sweep.seed(), ellipse(rx, ry, thickness), cx, cy,
            [&](const Fill& fill) { shapes_walk::ellipse(fill, cx, cy, rx, ry, thickness); });
        if (HasFatalFailure()) return;
    }
}

TEST(Ellipse, WorkedTenByFive) {
    Points expected;
    for (int dy : {-5, 5}) add_span(expected, dy, -4, 4);
    for (int dy : {-4, 4}) {
        add_span(expected, dy, -7, -5);
        add_span(expected, dy, 5, 7);
    }
    for (int dy : {-3, 3}) add_row(expected, dy, {-8, 8});
    for (int dy : {-2, 2}) add_row(expected, dy, {-9, 9});
    for (int dy : {-1, 0, 1}) add_row(expected, dy, {-10, 10});
    EXPECT_EQ(shape(ellipse(10, 5, 1)), expected);
}

TEST(Ellipse, WorkedSixBySixLeavesRowsThreeEmpty) {
    Points expected;
    for (int dy : {-6, 6}) add_span(expected, dy, -2, 2);
    for (int dy : {-5, 5}) add_row(expected, dy, {-3, 3});
    for (int dy : {-4, 4}) add_row(expected, dy, {-4, 4});
    for (int dy = -2; dy <= 2; ++dy) add_row(expected, dy, {-6, 6});
    EXPECT_EQ(shape(ellipse(6, 6, 1)), expected);
}

TEST(Ellipse, SmallSemiAxes) {
    EXPECT_EQ(shape(ellipse(1, 1, 1)), (Points{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}));
    EXPECT_EQ(shape(ellipse(7, 0, 1)), (Points{{0, 0}}));
    EXPECT_EQ(shape(ellipse(0, 3, 1)), (Points{{0, -3}, {0, 3}}));
    EXPECT_EQ(shape(ellipse(10, 5, 1, 123, -7)), shape(ellipse(10, 5, 1)));
}

TEST(Ellipse, NestedLevelsGoOnBelowZero) {
    const Points five = shape(ellipse(10, 5, 5));
    EXPECT_FALSE(five.count({0, 0}));
    EXPECT_TRUE(shape(ellipse(10, 5, 6)).count({0, 0}));
    Points levels;
    for (int t = 0; t < 5; ++t) levels = join(levels, shape(ellipse(10 - t, 5 - t, 1)));
    EXPECT_EQ(five, levels);
    // Levels with a negative vertical semi-axis add only (0, +-b).
    EXPECT_EQ(shape(ellipse(10, 5, 12)), join(shape(ellipse(10, 5, 11)), Points{{0, -6}, {0, 6}}));
    EXPECT_EQ(shape(ellipse(3, -4, 3)),
              (Points{{0, -6}, {0, -5}, {0, -4}, {0, 4}, {0, 5}, {0, 6}}));
}

TEST(Ellipse, ClipsAtTheEdges) {
    for (const Draw& draw :
         {ellipse(14, 9, 1), ellipse(15, 3, 4), ellipse(-6, 14, 9), ellipse(12, 15, 30)})
        expect_windows_match(draw, 16);
}

// Near the ends of a flat ring the inner walk, past its axis, stretches the
// runs beyond the ring: seen alone on a small bitmap they are still drawn.
TEST(Ellipse, FlatRingEndsReachPastTheRing) {
    Bitmap whole = canvas(4011, 31);
    ellipse(2000, 4, 1)(whole, 2005, 15);
    Bitmap part = canvas(24, 8);  // columns 1975.., rows 6.. from the centre
    ellipse(2000, 4, 1)(part, -1975, -6);
    EXPECT_FALSE(changed(part).empty());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 24; ++x) EXPECT_EQ(part.get(x, y), whole.get(3980 + x, 21 + y));
}

// Semi-axes whose squared products pass the 32-bit range still make a ring:
// symmetric, reaching its four ends, and within two pixels of the true
// ellipse (it has gaps where the ring is thinner than a pixel, as any size).
TEST(Ellipse, LargeSemiAxesDrawATrueRing) {
    for (auto [a, b] : {std::pair{216, 216}, {3000, 160}, {150, 2500}}) {
        const int w = 2 * a + 5, h = 2 * b + 5;
        Bitmap bm = canvas(w, h);
        ellipse(a, b, 1)(bm, a + 2, b + 2);
        const Points ring = changed(bm, a + 2, b + 2);
        for (auto [x, y] : ring) {
            ASSERT_TRUE(ring.count({-x, y}) && ring.count({x, -y})) << x << ", " << y;
            const double outer = std::pow(x / (a + 2.0), 2) + std::pow(y / (b + 2.0), 2);
            const double inner = std::pow(x / (a - 2.0), 2) + std::pow(y / (b - 2.0), 2);
            ASSERT_TRUE(outer <= 1 && inner >= 1) << a << "x" << b << ": " << x << ", " << y;
        }
        for (auto end : {std::pair{a, 0}, {-a, 0}, {0, b}, {0, -b}}) EXPECT_TRUE(ring.count(end));
    }
}

TEST(Ellipse, HugeArgumentsFinish) {
    Bitmap b = canvas(64, 32);
    ellipse(INT_MAX, INT_MAX, INT_MAX)(b, 32, 16);
    EXPECT_TRUE(changed(b).count({33, 16}));  // the innermost level is 1 x 1
    // A very flat ring: its top edge crosses the whole bitmap on one row.
    Bitmap flat = canvas(64, 32);
    ellipse(INT_MAX, 10, 1)(flat, 20, 16);
    Points top;
    add_span(top, 6, 0, 63);
    add_span(top, 26, 0, 63);
    EXPECT_EQ(changed(flat), top);
    for (int rx : {INT_MIN, -1, 0, 1, INT_MAX}) {
        for (int ry : {INT_MIN, -1, 0, 1, INT_MAX}) {
            for (int cx : {INT_MIN, 0, 40, INT_MAX}) ellipse(rx, ry, INT_MAX)(b, cx, 16);
        }
    }
    EXPECT_TRUE(b.intact() && flat.intact());
}

TEST(Ellipse, BitmapWithoutSurface) {
    Bitmap none = Bitmap::without_surface();
    ellipse(5, 5, 5)(none, 0, 0);
    EXPECT_TRUE(none.intact());
}

}  // namespace
