#include "scene.h"

#include <cstdlib>
#include <cstring>
#include <iterator>

namespace fuzz {
namespace {

// Enough pixels for every rule to meet its edges, few enough for thousands
// of calls a second.
constexpr int64_t kMaxPixels = 1 << 14;

int32_t bitmap_side(Input& in) {
    static constexpr int32_t kAtVectorEdges[] = {4, 5, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 64, 65};
    static constexpr int32_t kNegative[] = {-1, -2, -33, INT32_MIN};
    switch (in.byte() % 8) {
        case 0: return static_cast<int32_t>(in.below(4));
        case 1: return kAtVectorEdges[in.below(std::size(kAtVectorEdges))];
        case 2:
        case 3: return static_cast<int32_t>(in.below(40));
        case 4: return static_cast<int32_t>(in.below(300));
        case 5: return 1 + static_cast<int32_t>(in.below(12));
        case 6: return 32 * static_cast<int32_t>(in.below(9)) + static_cast<int32_t>(in.below(3));
        default: return in.one_in(4) ? kNegative[in.below(std::size(kNegative))] : 257;
    }
}

// Random pixel bytes biased towards 0 and 255, made once: a bitmap takes a
// slice of them from the seed's offset, row by row. Filling every bitmap of
// every input byte by byte would take most of the run's time.
const std::vector<uint8_t>& random_bytes() {
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(2 * kMaxPixels * 4);
        uint32_t state = 2463534242u;
        for (uint8_t& byte : b) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            byte = state % 4 == 0 ? 0 : state % 4 == 1 ? 255 : static_cast<uint8_t>(state >> 24);
        }
        return b;
    }();
    return bytes;
}

void paint(const standin::Bitmap& b, uint32_t seed) {
    if (!b.has_surface() || b.width() <= 0 || b.height() <= 0) return;
    const size_t row_bytes = static_cast<size_t>(b.width()) * 4;
    const std::vector<uint8_t>& bytes = random_bytes();
    const size_t room = bytes.size() - row_bytes * static_cast<size_t>(b.height()) + 1;
    const uint8_t* from = bytes.data() + seed % room;
    for (int32_t y = 0; y < b.height(); ++y, from += row_bytes)
        std::memcpy(b.row(y), from, row_bytes);
}

// Byte comparison that the sanitizer runtime neither intercepts (memcmp
// would feed the fuzzer's comparison hooks) nor checks byte by byte: it only
// reads the harness's snapshots and the pixel rows of its own bitmaps.
__attribute__((no_sanitize("address", "undefined", "coverage"))) bool same_bytes(const uint8_t* a,
                                                                                 const uint8_t* b,
                                                                                 size_t n) {
    uint8_t differ = 0;
    for (size_t i = 0; i < n; ++i) differ |= static_cast<uint8_t>(a[i] ^ b[i]);
    return differ == 0;
}

// Bitmaps of earlier inputs, kept for reuse: mapping fresh memory for every
// bitmap of every input would take a third of the run's time. A bitmap is
// repainted whole before it is used again, and its guard bytes and records
// were checked after every call it took part in.
constexpr size_t kSpareBitmaps = 32;

std::vector<standin::Bitmap>& spares() {
    static std::vector<standin::Bitmap> bitmaps;
    return bitmaps;
}

standin::Bitmap take_bitmap(bool with_surface, int32_t width, int32_t height) {
    std::vector<standin::Bitmap>& pool = spares();
    for (auto it = pool.begin(); it != pool.end(); ++it) {
        if (it->has_surface() == with_surface && it->width() == width && it->height() == height) {
            standin::Bitmap b = std::move(*it);
            pool.erase(it);
            return b;
        }
    }
    return with_surface ? standin::Bitmap(width, height) : standin::Bitmap::without_surface();
}

// Whether bytes first .. first + count - 1 of each of `width` pixels are the
// same in a and b.
__attribute__((no_sanitize("address", "undefined", "coverage"))) bool same_pixel_bytes(
    const uint8_t* a, const uint8_t* b, int32_t width, int first, int count) {
    uint8_t differ = 0;
    for (int32_t x = 0; x < width; ++x) {
        for (int k = first; k < first + count; ++k)
            differ |= static_cast<uint8_t>(a[4 * x + k] ^ b[4 * x + k]);
    }
    return differ == 0;
}

// Whether, across `width` pixels, only bytes that a write of `kind` may
// change went from `was` to `now`.
bool within(Bytes kind, const uint8_t* was, const uint8_t* now, int32_t width) {
    switch (kind) {
        case Bytes::kAll: return true;
        case Bytes::kColour: return same_pixel_bytes(was, now, width, 3, 1);
        case Bytes::kAlpha: return same_pixel_bytes(was, now, width, 0, 3);
    }
    return false;
}

// Whether one of `writes` lets a call change, in every pixel of row y of
// bitmap i, `width` pixels wide, the bytes that went from `was` to `now`:
// then the row needs no check pixel by pixel.
bool may_rewrite_row(int i, int32_t y, int32_t width, const uint8_t* was, const uint8_t* now,
                     std::initializer_list<Write> writes) {
    for (const Write& w : writes) {
        if (w.bitmap != i || w.region.x0 > 0 || w.region.x1 < width || y < w.region.y0 ||
            y >= w.region.y1)
            continue;
        if (within(w.bytes, was, now, width)) return true;
    }
    return false;
}

// Whether one of `writes` lets a call turn pixel (x, y) of bitmap i from
// `was` into `now`.
bool may_change(int i, int32_t x, int32_t y, const uint8_t* was, const uint8_t* now,
                std::initializer_list<Write> writes) {
    for (const Write& w : writes) {
        if (w.bitmap == i && w.region.contains(x, y) && within(w.bytes, was, now, 1)) return true;
    }
    return false;
}

}  // namespace

Scene::Scene(Input& in, bool against_plain) : against_plain_(against_plain) {
    const int bitmaps = 2 + static_cast<int>(in.below(3));
    std::vector<int32_t> edges{32, 256};
    for (int i = 0; i < bitmaps; ++i) {
        if (in.one_in(10)) {
            bitmaps_.push_back(take_bitmap(false, 0, 0));
            if (tracing()) note("b" + std::to_string(i) + ": no surface");
            continue;
        }
        int32_t w = bitmap_side(in), h = bitmap_side(in);
        // Operations on two bitmaps often want them of one size.
        if (i > 0 && in.one_in(2)) {
            const standin::Bitmap& other = bitmaps_[in.below(static_cast<uint32_t>(i))];
            if (other.has_surface()) w = other.width(), h = other.height();
        }
        if (w > 0 && h > 0 && int64_t{w} * h > kMaxPixels) h = static_cast<int32_t>(kMaxPixels / w);
        const uint32_t seed = in.u32();
        bitmaps_.push_back(take_bitmap(true, w, h));
        paint(bitmaps_.back(), seed);
        edges.push_back(w);
        edges.push_back(h);
        if (tracing()) {
            note("b" + std::to_string(i) + ": " + std::to_string(w) + " x " + std::to_string(h) +
                 ", painted from " + std::to_string(seed));
        }
    }
    in.set_edges(std::move(edges));
    snapshots_.resize(bitmaps_.size());
    plain_bytes_.resize(bitmaps_.size());
}

Scene::~Scene() {
    std::vector<standin::Bitmap>& pool = spares();
    for (standin::Bitmap& b : bitmaps_) {
        if (pool.size() == kSpareBitmaps) pool.erase(pool.begin());
        pool.push_back(std::move(b));
    }
}

int Scene::pick(Input& in) {
    if (!in.one_in(3)) last_pick_ = static_cast<int>(in.below(static_cast<uint32_t>(count())));
    return last_pick_;
}

bool Scene::has_pixels(int i) const {
    const standin::Bitmap& b = bitmaps_[i];
    return b.has_surface() && b.width() > 0 && b.height() > 0;
}

Scene::Outcome Scene::judge(Result kind, int64_t r) {
    switch (kind) {
        case Result::kStatus: return {r == 0 || r == 1, r == 1};
        case Result::kBoolean: return {r == 0 || r == 1, r == 1};
        case Result::kInverted: return {r == 0 || r == 1, r == 0};
        case Result::kAlwaysOne: return {r == 1, true};
        case Result::kByte: return {r >= 0 && r <= 255, true};
        case Result::kNone: break;
    }
    return {true, true};
}

std::string Scene::describe_call() const {
    std::string s = std::string(last_.name) + "(";
    for (size_t k = 0; k < last_.count; ++k) {
        const Argument a = last_.args[k];
        if (k) s += ", ";
        std::string text = a.pointer ? "&array" : std::to_string(a.value);
        for (int i = 0; i < count() && !a.pointer; ++i)
            if (a.value == handle(i)) text = "b" + std::to_string(i);
        s += text;
    }
    return s + ")";
}

void Scene::before_call() {
    if (tracing()) note(describe_call());
    for (int i = 0; i < count(); ++i) {
        const standin::Bitmap& b = bitmaps_[i];
        if (!has_pixels(i)) continue;
        const size_t row_bytes = static_cast<size_t>(b.width()) * 4;
        snapshots_[i].resize(row_bytes * static_cast<size_t>(b.height()));
        for (int32_t y = 0; y < b.height(); ++y)
            std::memcpy(snapshots_[i].data() + static_cast<size_t>(y) * row_bytes, b.row(y),
                        row_bytes);
    }
}

void Scene::after_call(Outcome outcome, std::initializer_list<Write> writes) {
    if (!outcome.valid) fail("its result is out of range");
    for (int i = 0; i < count(); ++i) {
        const standin::Bitmap& b = bitmaps_[i];
        if (!b.intact()) fail("the guard bytes or records of b" + std::to_string(i) + " changed");
        if (!has_pixels(i)) continue;
        const size_t row_bytes = static_cast<size_t>(b.width()) * 4;
        for (int32_t y = 0; y < b.height(); ++y) {
            const uint8_t* was = snapshots_[i].data() + static_cast<size_t>(y) * row_bytes;
            const uint8_t* now = b.row(y);
            if (same_bytes(was, now, row_bytes)) continue;
            if (outcome.done && may_rewrite_row(i, y, b.width(), was, now, writes)) continue;
            for (int32_t x = 0; x < b.width(); ++x) {
                const uint8_t* p = was + 4 * x;
                const uint8_t* q = now + 4 * x;
                if (same_bytes(p, q, 4)) continue;
                if (outcome.done && may_change(i, x, y, p, q, writes)) continue;
                char what[160];
                std::snprintf(
                    what, sizeof what,
                    "%s: b%d at (%d, %d) went from (%d, %d, %d, %d) to "
                    "(%d, %d, %d, %d)",
                    outcome.done ? "it wrote where it may not" : "it refused, yet changed a pixel",
                    i, x, y, p[0], p[1], p[2], p[3], q[0], q[1], q[2], q[3]);
                fail(what);
            }
        }
    }
}

void Scene::keep_plain_bytes() {
    for (int i = 0; i < count(); ++i) {
        if (!has_pixels(i)) continue;
        plain_bytes_[i] = bitmaps_[i].pixels();
        bitmaps_[i].set_pixels(snapshots_[i]);
    }
}

void Scene::expect_plain(int64_t r, int64_t plain) const {
    if (r != plain) {
        fail("it returned " + std::to_string(r) + ", the plain build " + std::to_string(plain));
    }
    for (int i = 0; i < count(); ++i) {
        const standin::Bitmap& b = bitmaps_[i];
        if (!has_pixels(i)) continue;
        const size_t row_bytes = static_cast<size_t>(b.width()) * 4;
        for (int32_t y = 0; y < b.height(); ++y) {
            const uint8_t* want = plain_bytes_[i].data() + static_cast<size_t>(y) * row_bytes;
            const uint8_t* got = b.row(y);
            if (same_bytes(want, got, row_bytes)) continue;
            for (int32_t x = 0; x < b.width(); ++x) {
                const uint8_t* p = want + 4 * x;
                const uint8_t* q = got + 4 * x;
                if (same_bytes(p, q, 4)) continue;
                char what[160];
                std::snprintf(what, sizeof what,
                              "b%d at (%d, %d) is (%d, %d, %d, %d), in the plain build "
                              "(%d, %d, %d, %d)",
                              i, x, y, q[0], q[1], q[2], q[3], p[0], p[1], p[2], p[3]);
                fail(what);
            }
        }
    }
}

void Scene::fail(const std::string& what) const {
    std::fprintf(stderr, "\n==== %s: %s\n", describe_call().c_str(), what.c_str());
    for (int i = 0; i < count(); ++i) {
        const standin::Bitmap& b = bitmaps_[i];
        if (b.has_surface()) {
            std::fprintf(stderr, "     b%d: %d x %d\n", i, b.width(), b.height());
        } else {
            std::fprintf(stderr, "     b%d: no surface\n", i);
        }
    }
    std::abort();
}

}  // namespace fuzz
