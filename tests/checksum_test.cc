// One number for the bytes of every export: a fixed, seeded sequence of calls
// over both libraries, their results and the pixels they write folded into a
// checksum and held against the value of the reference build (Linux, 64-bit).
// Every build (32- or 64-bit, Linux or Windows, whichever vector rows its CPU
// picks) must give the same bytes, and so the same number.
//
// `ripple` and `ripple_circ` take the C library's sine, whose last bit may
// differ from one C library to another: they run on a scene of their own and
// feed a second checksum. Dissolve (`blend_blt` mode 12) draws from the C
// library's `rand`, reseeded from the clock, and is never called.
//
// Arguments are drawn into named values before each call: the order in which
// a compiler evaluates function arguments is its own.
#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <span>
#include <vector>

#include "support.h"

namespace {

constexpr uint64_t kShared = 0xeb3bcb8544f6b3fa;
constexpr uint64_t kSine = 0x92ba3b4935af1f2a;

// The libraries a run calls: the shipped build or the plain one. Every call
// below binds its export from the run's own libraries.
struct Libraries {
    const standin::Library& lumoria;
    const standin::Library& quorvex;
};
const Libraries& shipped() {
    static const Libraries libraries{support::lumoria_library(), support::quorvex_library()};
    return libraries;
}
#undef LUMORIA
#undef QUORVEX
#define LUMORIA(name) STANDIN_BIND(r.libraries.lumoria, name)
#define QUORVEX(name) STANDIN_BIND(r.libraries.quorvex, name)

// splitmix64: the same numbers from every compiler and C library.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    uint32_t below(uint32_t n) { return static_cast<uint32_t>(next() % n); }
    bool one_in(uint32_t n) { return below(n) == 0; }
    int32_t any() { return static_cast<int32_t>(static_cast<uint32_t>(next())); }
    int32_t between(int32_t lo, int32_t hi) {  // both included
        const uint32_t n = static_cast<uint32_t>(int64_t{hi} - lo + 1);
        return static_cast<int32_t>(lo + int64_t{below(n)});
    }
    template <class T, size_t N>
    T of(const T (&values)[N]) {
        return values[below(N)];
    }

  private:
    uint64_t state_;
};

struct Size {
    int32_t width, height;
};
constexpr Size kNoSurface{INT32_MIN, INT32_MIN};

// Without a surface, empty, negative, one-pixel, odd and tile-sized, smallest
// first; most sizes twice, so that splits and blurs find a partner. The last
// six are at least 32 x 32, and the 96 x 33 one holds three tiles.
const Size kSharedScene[] = {kNoSurface, {0, 0},   {-2, 6},  {1, 1},   {5, 3},
                             {5, 3},     {17, 1},  {31, 33}, {31, 33}, {40, 40},
                             {33, 64},   {64, 35}, {64, 64}, {64, 64}, {96, 33}};
const Size kSineScene[] = {kNoSurface, {0, 3},   {1, 1},   {7, 5}, {7, 5},
                           {9, 40},    {24, 20}, {24, 20}, {63, 9}};

const int32_t kEdges[] = {
    0, 1, -1, 2, 255, 256, -256, INT32_MIN, INT32_MAX, INT32_MIN + 1, INT32_MAX - 1};

// A scene, the numbers drawn over it and the 64-bit FNV-1a of what the calls
// gave back and wrote.
class Run {
  public:
    Run(const Libraries& called, std::span<const Size> scene, uint64_t seed)
        : libraries(called), rng(seed) {
        for (Size s : scene) {
            bitmaps_.push_back(s.width == INT32_MIN ? Bitmap::without_surface()
                                                    : Bitmap(s.width, s.height));
            bitmaps_.back().randomize(static_cast<uint32_t>(rng.next()));
        }
    }
    const Libraries& libraries;
    Rng rng;

    int count() const { return static_cast<int>(bitmaps_.size()); }
    int32_t handle(int i) const { return bitmaps_[i].handle(); }
    const Bitmap& bitmap(int i) const { return bitmaps_[i]; }
    bool has_pixels(int i) const {
        return bitmaps_[i].has_surface() && bitmaps_[i].width() > 0 && bitmaps_[i].height() > 0;
    }
    // Clears and fills wear the pictures down: one is drawn anew.
    void refresh() { bitmaps_[fresh()].randomize(static_cast<uint32_t>(rng.next())); }

    // A bitmap, often the one picked last.
    int pick() { return rng.one_in(4) ? last_ : (last_ = fresh()); }
    // A second bitmap for `first`: itself, often one of its size, or any.
    int partner(int first) {
        const uint32_t way = rng.below(6);
        if (way > 3) return fresh();
        const Bitmap& a = bitmaps_[first];
        for (int k = 1; way > 0 && k < count(); ++k) {
            const Bitmap& b = bitmaps_[(first + k) % count()];
            if (b.has_surface() == a.has_surface() && b.width() == a.width() &&
                b.height() == a.height())
                return (first + k) % count();
        }
        return first;
    }

    // Mostly lo .. hi, one in eight an edge.
    int32_t arg(int32_t lo, int32_t hi) {
        return rng.one_in(8) ? rng.of(kEdges) : rng.between(lo, hi);
    }
    int32_t colour() { return arg(0, 255); }
    // Positions and sizes over bitmap i: mostly on it or just off it.
    int32_t x(int i) { return along(bitmaps_[i].width(), -3); }
    int32_t y(int i) { return along(bitmaps_[i].height(), -3); }
    int32_t extent(int i) { return along(std::max(bitmaps_[i].width(), bitmaps_[i].height()), 0); }

    // Folds a result and the pixels of the bitmaps a call may write.
    void fold(int64_t result, std::initializer_list<int> written) {
        mix(static_cast<uint64_t>(result), 8);
        for (int i : written) {
            mix(static_cast<uint64_t>(i), 8);
            for (int32_t row = 0; has_pixels(i) && row < bitmaps_[i].height(); ++row) {
                const uint8_t* p = bitmaps_[i].row(row);
                for (int32_t k = 0; k < 4 * bitmaps_[i].width(); ++k) mix(p[k], 1);
            }
        }
    }
    void fold(std::span<const int32_t> out) {
        for (int32_t v : out) mix(static_cast<uint32_t>(v), 4);
    }
    uint64_t checksum() const { return hash_; }

  private:
    // More often one of the larger bitmaps at the end of the scene.
    int fresh() {
        const uint32_t a = rng.below(count()), b = rng.below(count());
        return static_cast<int>(rng.one_in(4) ? a : std::max(a, b));
    }
    // Mostly from .. side + 3, more often near the start, so that a rectangle
    // there reaches into the bitmap; else the edges.
    int32_t along(int32_t side, int32_t from) {
        const int32_t to = std::max(side, 0) + 3;
        if (!rng.one_in(10)) {
            const int32_t a = rng.between(from, to), b = rng.between(from, to);
            return rng.one_in(2) ? a : std::min(a, b);
        }
        const int32_t sides[] = {side, side - 1, side + 1, -side, 32, 33};
        return rng.one_in(2) ? rng.of(kEdges) : rng.of(sides);
    }
    // The low `bytes` bytes of v, least significant first.
    void mix(uint64_t v, int bytes) {
        for (int k = 0; k < bytes; ++k) hash_ = (hash_ ^ ((v >> (8 * k)) & 0xff)) * 0x100000001b3u;
    }

    std::vector<Bitmap> bitmaps_;
    uint64_t hash_ = 0xcbf29ce484222325u;
    int last_ = 0;
};

// A call of one export with drawn arguments; the exports of one group.
using Maker = void (*)(Run&);
struct Group {
    const char* name;
    std::span<const Maker> makers;
};

// The frame of the block transfers, and the index of their dest.
struct Frame {
    int d;
    int32_t dest, src, dx, dy, sx, sy, w, h;
};
Frame frame(Run& r) {
    const int d = r.pick(), s = r.partner(d);
    return {d, r.handle(d), r.handle(s), r.x(d), r.y(d), r.x(s), r.y(s), r.extent(s), r.extent(s)};
}
int32_t opacity(Run& r) { return r.rng.one_in(4) ? 255 : r.arg(0, 256); }
// One of the first `count` modes, now and then a number that names no mode.
int32_t mode(Run& r, int32_t count) {
    const int32_t none[] = {count + 1, -1, 256, INT32_MIN, INT32_MAX};
    return r.rng.one_in(16) ? r.rng.of(none) : r.rng.between(0, count - 1);
}

const Maker kTransfers[] = {
    [](Run& r) {
        const int d = r.pick();
        const int32_t x = r.x(d), y = r.y(d), w = r.extent(d), h = r.extent(d);
        r.fold(LUMORIA(clear_rect)(r.handle(d), x, y, w, h), {d});
    },
    [](Run& r) {
        const int d = r.pick();
        const int32_t x = r.x(d), y = r.y(d), w = r.extent(d), h = r.extent(d);
        const int32_t red = r.colour(), green = r.colour(), blue = r.colour(), a = r.colour();
        r.fold(LUMORIA(fill_rect)(r.handle(d), x, y, w, h, red, green, blue, a), {d});
    },
    [](Run& r) {
        const Frame f = frame(r);
        const int32_t o = opacity(r);
        r.fold(LUMORIA(blt)(f.dest, f.src, f.dx, f.dy, f.sx, f.sy, f.w, f.h, o), {f.d});
    },
    [](Run& r) {
        const Frame f = frame(r);
        r.fold(LUMORIA(simple_blt)(f.dest, f.src, f.dx, f.dy, f.sx, f.sy, f.w, f.h), {f.d});
    },
    [](Run& r) {
        const Frame f = frame(r);
        const int32_t m = mode(r, 12), o = opacity(r);  // 0 .. 11: never dissolve
        r.fold(LUMORIA(blend_blt)(f.dest, f.src, f.dx, f.dy, f.sx, f.sy, f.w, f.h, m, o), {f.d});
    },
    [](Run& r) {
        const Frame f = frame(r);
        const int32_t m = mode(r, 4), o = opacity(r);
        r.fold(LUMORIA(transfer_blt)(f.dest, f.src, f.dx, f.dy, f.sx, f.sy, f.w, f.h, m, o), {f.d});
    },
};

void transition(Run& r, decltype(&::transition_in) fn) {
    const int d = r.pick(), m = r.partner(d);
    const int32_t progress = r.arg(-300, 600), total = r.arg(0, 500), soft = r.arg(-10, 300);
    const bool origin = r.rng.one_in(2);  // where the mask always fits
    const int32_t x = origin ? 0 : r.x(d), y = origin ? 0 : r.y(d);
    r.fold(fn(r.handle(d), r.handle(m), progress, total, soft, x, y), {d});
}

const Maker kMaps[] = {
    [](Run& r) { transition(r, LUMORIA(transition_in)); },
    [](Run& r) { transition(r, LUMORIA(transition_out)); },
    [](Run& r) {
        // Often the tileset at the end of the scene, and a dest of whole cells.
        const int tileset = r.rng.one_in(2) ? r.count() - 1 : r.pick();
        const int d = r.rng.one_in(2) ? r.count() - 1 - int(r.rng.below(6)) : r.pick();
        const Bitmap& dest = r.bitmap(d);
        const int32_t columns = std::max(0, dest.width() / 32);
        const int32_t rows = std::max(0, dest.height() / 32);
        const int32_t cells = dest.has_surface() ? columns * rows : 0;
        const int32_t drawn = r.arg(-1, 4), layers = cells > 0 ? std::min(drawn, 4) : drawn;
        const int32_t key = r.arg(-1, 2);
        // An entry per layer of every cell; ids below 384, on the tileset or off it.
        std::vector<int32_t> tiles(size_t(cells) * size_t(std::max(layers, 0)));
        std::vector<int32_t> keys(tiles.size());
        for (size_t n = 0; n < tiles.size(); ++n) {
            const uint32_t kind = r.rng.below(4);
            tiles[n] = kind == 0   ? r.arg(-2, 383)
                       : kind == 1 ? 384 + r.rng.between(0, 40)
                                   : 384 + 8 * r.rng.between(0, 1) + r.rng.between(0, 3);
            keys[n] = r.rng.one_in(3) ? r.arg(-1, 2) : key;
        }
        const std::vector<int32_t> dims = {columns, rows, layers};
        const int32_t ignored5 = r.rng.any(), ignored7 = r.rng.any(), ignored8 = r.rng.any();
        r.fold(LUMORIA(draw_map)(tiles.data(), keys.data(), dims.data(), r.handle(tileset),
                                 ignored5, r.handle(d), ignored7, ignored8, key),
               {d});
    },
    [](Run& r) {
        const int s = r.pick(), d = r.partner(s);
        const int32_t step_y = r.arg(-12, 12), step_x = r.arg(-12, 12);
        r.fold(LUMORIA(split_bitmap)(r.handle(s), r.handle(d), step_y, step_x), {s, d});
    },
};

int32_t percent(Run& r) { return r.rng.one_in(4) ? r.rng.between(-30, 200) : r.arg(0, 100); }

void colour_mix(Run& r, decltype(&::tint) fn) {
    const int d = r.pick();
    const int32_t amount = percent(r), red = r.colour(), green = r.colour(), blue = r.colour();
    r.fold(fn(r.handle(d), amount, red, green, blue), {d});
}

const Maker kFilters[] = {
    [](Run& r) { colour_mix(r, LUMORIA(tint)); },
    [](Run& r) { colour_mix(r, LUMORIA(colorize)); },
    [](Run& r) {
        const int d = r.pick();
        const int32_t amount = percent(r);
        r.fold(LUMORIA(grayscale)(r.handle(d), amount), {d});
    },
    [](Run& r) {
        const int d = r.pick();
        r.fold(LUMORIA(negative)(r.handle(d)), {d});
    },
    [](Run& r) {
        const int d = r.pick();
        std::vector<int32_t> table(256);
        for (int32_t& v : table) v = r.rng.one_in(2) ? r.rng.between(0, 255) : r.arg(-300, 600);
        const int32_t map_alpha = r.arg(-1, 2);
        r.fold(LUMORIA(table_lookup)(r.handle(d), table.data(), map_alpha), {d});
    },
};

const Maker kEffects[] = {
    [](Run& r) {
        const int d = r.pick();
        const int32_t w = r.arg(-1, 9), h = r.arg(-1, 9);
        r.fold(LUMORIA(pixelize)(r.handle(d), w, h), {d});
    },
    [](Run& r) {
        const int d = r.pick(), s = r.partner(d);
        const int32_t samples = r.arg(-1, 20), reserved = r.rng.any(), scaled = r.arg(-1, 1);
        r.fold(LUMORIA(radial_blur)(r.handle(d), r.handle(s), samples, reserved, scaled), {d});
    },
};

const Maker kShapes[] = {
    [](Run& r) {
        const int d = r.pick();
        const int32_t cx = r.x(d), cy = r.y(d), radius = r.arg(-1, 40), rings = r.arg(-1, 40);
        const int32_t start = r.arg(-400, 800), end = r.arg(-400, 800);
        const int32_t red = r.colour(), green = r.colour(), blue = r.colour(), a = r.colour();
        r.fold(LUMORIA(draw_circle)(r.handle(d), cx, cy, radius, rings, start, end, red, green,
                                    blue, a),
               {d});
    },
    [](Run& r) {
        const int d = r.pick();
        const int32_t cx = r.x(d), cy = r.y(d), rx = r.arg(-1, 40), ry = r.arg(-1, 40);
        const int32_t rings = r.arg(-1, 40), reserved1 = r.rng.any(), reserved2 = r.rng.any();
        const int32_t red = r.colour(), green = r.colour(), blue = r.colour(), a = r.colour();
        r.fold(LUMORIA(draw_ellipse)(r.handle(d), cx, cy, rx, ry, rings, reserved1, reserved2, red,
                                     green, blue, a),
               {d});
    },
};

// get_pixel is bound by its decorated name, as the engine binds it.
using GetPixel = int (*)(long, int, int, int);

const Maker kReadBack[] = {
    [](Run& r) {
        const int b = r.pick();
        // The handle is the low 32 bits of the long.
        const uint64_t high = r.rng.one_in(2) ? 0 : r.rng.next() << 32;
        const uint64_t wide = high | static_cast<uint32_t>(r.handle(b));
        const auto bitmap = static_cast<long>(static_cast<unsigned long>(wide));
        const int32_t x = r.x(b), y = r.y(b), channel = r.arg(0, 3);
        const auto get_pixel = r.libraries.lumoria.fn<GetPixel>("_Z9get_pixelliii");
        r.fold(get_pixel(bitmap, x, y, channel), {});
    },
    [](Run& r) {
        const int b = r.pick();
        const Bitmap& bm = r.bitmap(b);
        std::vector<int32_t> out(r.has_pixels(b) ? size_t{4} * bm.width() * bm.height() : 0);
        LUMORIA(get_pixels)(r.handle(b), out.data());
        r.fold(out);
    },
};

// The timing probes change nothing and spin for a fixed time, so they are
// called only here. `test` reads the get_pixels record of pixel (10, 10) of
// a bitmap n pixels high.
void probe(Run& r) {
    for (int32_t n : {-1, 7}) {
        std::vector<int32_t> values(size_t(4 * (10 * n + 11)));
        for (size_t k = 0; k < values.size(); ++k) values[k] = int32_t(k * 2654435761u);
        const int32_t ignored = r.rng.any();
        LUMORIA(test)(values.data(), ignored, n);
        r.fold(values);
    }
    LUMORIA(test2)();
}

// Turns written out, so that no C library's sine enters a matrix.
const float kTurns[][2] = {{1, 0},
                           {0, 1},
                           {-1, 0},
                           {0.8f, 0.6f},
                           {0.6f, -0.8f},
                           {0.70710678f, 0.70710678f},
                           {0.8660254f, 0.5f},
                           {0.9961947f, 0.08715574f}};
const float kScales[] = {1, 1, 0.5f, 2, 1.25f, 0.75f, 3, -1, 0.1f, 0};
const float kOddFloats[] = {std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity(),
                            FLT_MAX,
                            1e30f,
                            -1e30f,
                            1e-30f,
                            FLT_TRUE_MIN,
                            0.0f,
                            -0.0f,
                            255.9f,
                            0.7f,
                            -1.0f,
                            256.0f,
                            2147483520.0f,
                            2147483648.0f,
                            -2147483904.0f};

const Maker kQuorvex[] = {
    [](Run& r) {
        const int s = r.pick(), d = r.partner(s);
        const float* turn = kTurns[r.rng.below(8)];
        const float scale = r.rng.of(kScales), c = scale * turn[0], sn = scale * turn[1];
        const float tx = float(r.rng.between(-16, 16)) / 2, ty = float(r.rng.between(-16, 16)) / 2;
        std::vector<float> m = {c, -sn, tx, sn, c, ty, 0, 0, 1};
        for (float& v : m) {
            if (!r.rng.one_in(12)) continue;
            v = r.rng.one_in(2) ? r.rng.of(kOddFloats) : float(r.rng.between(-3, 3));
        }
        const int32_t modes[] = {1, 1, 1, 0, 0, 2, -1, INT32_MAX};  // 1 bilinear, else nearest
        const int32_t sampling = r.rng.of(modes);
        r.fold(QUORVEX(Quorvex)(r.handle(s), r.handle(d), m.data(), sampling), {d});
    },
    [](Run& r) {
        const int d = r.pick();
        std::vector<float> colour(3);
        for (float& v : colour)
            v = r.rng.one_in(3) ? r.rng.of(kOddFloats) : float(r.rng.between(0, 255)) + 0.5f;
        r.fold(QUORVEX(fill_color)(r.handle(d), colour.data()), {d});
    },
};

const Maker kRipples[] = {
    [](Run& r) {
        const int d = r.pick(), s = r.partner(d);
        const int32_t scale = r.arg(-20, 40), amplitude = r.arg(-20, 20), vertical = r.arg(0, 1);
        r.fold(LUMORIA(ripple)(r.handle(d), r.handle(s), scale, amplitude, vertical), {d});
    },
    [](Run& r) {
        const int d = r.pick();
        const int32_t cx = r.x(d), cy = r.y(d), phase = r.arg(-50, 50), period = r.arg(-1, 40);
        const int32_t strength = r.arg(-200, 300), radius = r.arg(-1, 40);
        r.fold(LUMORIA(ripple_circ)(r.handle(d), cx, cy, phase, period, strength, radius), {d});
    },
};

const Group kSharedGroups[] = {{"transfers", kTransfers}, {"maps", kMaps},
                               {"filters", kFilters},     {"effects", kEffects},
                               {"shapes", kShapes},       {"read-back", kReadBack},
                               {"quorvex", kQuorvex}};
const Group kSineGroups[] = {{"ripples", kRipples}};

struct Plan {
    std::span<const Size> scene;
    std::span<const Group> groups;  // every export of them equally likely
    uint64_t seed;
    int calls;
    int refresh_every;
    bool probes;
};
const Plan kSharedPlan{kSharedScene, kSharedGroups, 0x6c756d6f726961u, 6000, 32, true};
// Ripples clear whole bitmaps, and rings on black change nothing.
const Plan kSinePlan{kSineScene, kSineGroups, 0x7269707065u, 2000, 3, false};

// What a run of a plan gave: the checksum after each call (the last is the
// run's), and the group of each call.
struct Trail {
    std::vector<uint64_t> checksums;
    std::vector<size_t> groups;
    uint64_t checksum() const { return checksums.empty() ? 0 : checksums.back(); }
};

Trail run(const Plan& plan, const Libraries& libraries = shipped()) {
    Run r(libraries, plan.scene, plan.seed);
    if (plan.probes) probe(r);
    uint32_t exports = 0;
    for (const Group& g : plan.groups) exports += static_cast<uint32_t>(g.makers.size());
    Trail trail;
    for (int n = 0; n < plan.calls; ++n) {
        if (n % plan.refresh_every == 0) r.refresh();
        uint32_t k = r.rng.below(exports);
        size_t g = 0;
        for (; k >= plan.groups[g].makers.size(); ++g) k -= uint32_t(plan.groups[g].makers.size());
        plan.groups[g].makers[k](r);
        trail.checksums.push_back(r.checksum());
        trail.groups.push_back(g);
    }
    return trail;
}

// Runs the plan twice, which must give the same bytes, and prints the checksum.
uint64_t checked(const char* name, const Plan& plan) {
    const Trail trail = run(plan);
    const uint64_t first = trail.checksum();
    EXPECT_EQ(first, run(plan).checksum()) << "the same calls gave other bytes";
    std::vector<int> calls(plan.groups.size(), 0);
    for (size_t g : trail.groups) ++calls[g];
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(first));
    testing::Test::RecordProperty(name, hex);
    std::printf("checksum %s %s\n", name, hex);
    for (size_t g = 0; g < plan.groups.size(); ++g)
        std::printf("  %-10s %5d calls\n", plan.groups[g].name, calls[g]);
    return first;
}

TEST(Checksum, SharedBytesAreTheReferenceBytes) {
    EXPECT_EQ(checked("shared", kSharedPlan), kShared);
}

// Only the C library's sine may move this one.
TEST(Checksum, SineBytesAreTheReferenceBytes) { EXPECT_EQ(checked("sine", kSinePlan), kSine); }

// The plain build (no fast path, only the plain rows) gives the same bytes
// call by call; the first call that differs is named.
TEST(Checksum, PlainBuildGivesTheSameBytesCallByCall) {
    static const standin::Library plain_lumoria(LUMORIA_PLAIN_SO), plain_quorvex(QUORVEX_PLAIN_SO);
    const Libraries plain{plain_lumoria, plain_quorvex};
    for (const Plan* plan : {&kSharedPlan, &kSinePlan}) {
        const Trail fast = run(*plan), slow = run(*plan, plain);
        const auto differ =
            std::mismatch(fast.checksums.begin(), fast.checksums.end(), slow.checksums.begin());
        if (differ.first != fast.checksums.end()) {
            const size_t n = static_cast<size_t>(differ.first - fast.checksums.begin());
            ADD_FAILURE() << "call " << n << " (" << plan->groups[fast.groups[n]].name
                          << ") gives other bytes in the plain build";
        }
    }
}

}  // namespace
