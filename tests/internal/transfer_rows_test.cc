// The vector rows of the block transfers against their plain twins: every
// rule, every instruction set the CPU has, byte for byte.
#include "lumoria/transfer/transfer_rows.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "lumoria/transfer/alpha_over.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/transfer/transfer_frame.h"
#include "tests/internal/vector_sets.h"

namespace {

using lumoria::RowFunction;
using Bytes = std::vector<uint8_t>;

using Variant = RowSet<lumoria::TransferRows>;

// Every vector instruction set this build has and this CPU runs.
std::vector<Variant> variants() { return vector_sets_of(lumoria::kTransferVariants); }

// A rule's plain row, and its vector twin in each variant.
struct Twins {
    std::string name;
    RowFunction plain;
    std::vector<RowFunction> fast;
};

std::vector<Twins> all_twins() {
    const std::vector<Variant> v = variants();
    auto twins = [&](std::string name, RowFunction plain, auto pick) {
        Twins t{std::move(name), plain, {}};
        for (const Variant& variant : v) t.fast.push_back(pick(*variant.rows));
        return t;
    };
    std::vector<Twins> all;
    all.push_back(twins("over", lumoria::alpha_over_row, [](auto& r) { return r.over; }));
    for (uint32_t m = 0; m < lumoria::kDissolveMode; ++m)
        all.push_back(twins("blend mode " + std::to_string(m), lumoria::blend_row(m),
                            [m](auto& r) { return r.blend[m]; }));
    for (uint32_t m = 0; m < lumoria::kLayerModes; ++m)
        all.push_back(twins("layer mode " + std::to_string(m), lumoria::layer_row(m),
                            [m](auto& r) { return r.layer[m]; }));
    return all;
}

// `dest` after `row` has drawn `src` onto it; both start `offset` bytes into
// their buffers, so that neither need be aligned.
Bytes drawn(RowFunction row, Bytes dest, Bytes src, int32_t opacity, size_t offset = 0) {
    const int32_t width = static_cast<int32_t>(dest.size() / 4);
    dest.insert(dest.begin(), offset, 0);
    src.insert(src.begin(), offset, 0);
    row(dest.data() + offset, src.data() + offset, width, opacity);
    return Bytes(dest.begin() + static_cast<std::ptrdiff_t>(offset), dest.end());
}

// "" when the rows match, else the first pixel that differs.
std::string first_difference(const Bytes& plain, const Bytes& fast, const Bytes& dest,
                             const Bytes& src) {
    for (size_t i = 0; i < plain.size(); i += 4) {
        if (std::memcmp(&plain[i], &fast[i], 4) == 0) continue;
        auto pixel = [&](const Bytes& b) {
            return "(" + std::to_string(b[i]) + ", " + std::to_string(b[i + 1]) + ", " +
                   std::to_string(b[i + 2]) + ", " + std::to_string(b[i + 3]) + ")";
        };
        return "pixel " + std::to_string(i / 4) + ": dest " + pixel(dest) + " src " + pixel(src) +
               " plain " + pixel(plain) + " fast " + pixel(fast);
    }
    return "";
}

// Each vector twin against the plain row on one row of pixels; true if all
// match (a mismatch is reported once).
bool all_match(const Twins& t, const Bytes& dest, const Bytes& src, int32_t opacity,
               size_t offset = 0) {
    const Bytes plain = drawn(t.plain, dest, src, opacity);
    const std::vector<Variant> v = variants();
    for (size_t k = 0; k < t.fast.size(); ++k) {
        const std::string diff =
            first_difference(plain, drawn(t.fast[k], dest, src, opacity, offset), dest, src);
        if (!diff.empty()) {
            ADD_FAILURE() << t.name << " " << v[k].name << " opacity " << opacity << " width "
                          << dest.size() / 4 << " offset " << offset << ": " << diff;
            return false;
        }
    }
    return true;
}

TEST(VectorRows, ExistWhereTheyMatchThePlainRows) {
    EXPECT_EQ(lumoria::fast_over_row(0), nullptr);
    EXPECT_EQ(lumoria::fast_over_row(256), nullptr);
    EXPECT_EQ(lumoria::fast_over_row(-255), nullptr);
    EXPECT_EQ(lumoria::fast_blend_row(0, 65025), nullptr);
    EXPECT_EQ(lumoria::fast_blend_row(12, 255), nullptr);  // dissolve draws per pixel
    EXPECT_EQ(lumoria::fast_blend_row(13, 255), nullptr);
    EXPECT_EQ(lumoria::fast_layer_row(4, 255), nullptr);
    EXPECT_EQ(lumoria::fast_layer_row(0, INT32_MIN), nullptr);
    // The widest instruction set the CPU has.
    const std::vector<Variant> v = variants();
    if (v.empty()) return;
    const lumoria::TransferRows& widest = *v.back().rows;
    EXPECT_EQ(lumoria::fast_over_row(1), widest.over);
    EXPECT_EQ(lumoria::fast_blend_row(11, 255), widest.blend[11]);
    EXPECT_EQ(lumoria::fast_layer_row(3, 128), widest.layer[3]);
}

// At opacity 255 the effective alpha is the source alpha, so rows over all
// source values, source alphas and destination values meet every
// (d, s, e) of every channel formula; e = 255 is the full draw. Each pixel
// carries three destination values, one a channel.
TEST(VectorRows, EveryChannelFormulaOverItsWholeDomain) {
    for (const Twins& t : all_twins()) {
        Bytes dest(256 * 4), src(256 * 4);
        bool ok = true;
        for (int d = 0; d < 86 && ok; ++d) {
            for (int sa = 0; sa < 256 && ok; ++sa) {
                for (int i = 0; i < 256; ++i) {
                    uint8_t* p = &dest[4 * i];
                    p[0] = static_cast<uint8_t>(d);
                    p[1] = static_cast<uint8_t>(d + 86);
                    p[2] = static_cast<uint8_t>(d + 172);
                    p[3] = static_cast<uint8_t>(1 + (i + sa + d) % 255);
                    uint8_t* q = &src[4 * i];
                    q[0] = q[1] = q[2] = static_cast<uint8_t>(i);
                    q[3] = static_cast<uint8_t>(sa);
                }
                ok = all_match(t, dest, src, 255);
            }
        }
    }
}

// Drawing behind also depends on the destination alpha A: every (A, e, s)
// for destination values at the ends and in the middle.
TEST(VectorRows, BehindOverEveryAlphaAndEffectiveAlpha) {
    const Twins behind = all_twins().back();
    ASSERT_EQ(behind.name, "layer mode 3");
    static constexpr uint8_t kDestColours[][3] = {{0, 1, 2}, {127, 128, 200}, {253, 254, 255}};
    Bytes dest(256 * 4), src(256 * 4);
    for (const auto& d : kDestColours) {
        for (int a = 0; a < 256; ++a) {
            for (int sa = 0; sa < 256; ++sa) {
                for (int i = 0; i < 256; ++i) {
                    std::memcpy(&dest[4 * i], d, 3);
                    dest[4 * i + 3] = static_cast<uint8_t>(a);
                    src[4 * i] = src[4 * i + 1] = src[4 * i + 2] = static_cast<uint8_t>(i);
                    src[4 * i + 3] = static_cast<uint8_t>(sa);
                }
                if (!all_match(behind, dest, src, 255)) return;
            }
        }
    }
}

// Random bytes leaning towards each rule's edges: 0 and 255, their
// neighbours, the middle, and source alphas on either side of e = 0.
class EdgyPixels {
  public:
    explicit EdgyPixels(uint32_t seed) : rng_(seed) {}

    uint8_t channel() {
        static constexpr uint8_t kEdges[] = {1, 127, 128, 254};
        switch (rng_() % 6) {
            case 0: return 0;
            case 1: return 255;
            case 2: return kEdges[rng_() % 4];
            default: return static_cast<uint8_t>(rng_());
        }
    }

    Bytes dest(int32_t width) {
        Bytes b(static_cast<size_t>(width) * 4);
        for (uint8_t& v : b) v = channel();
        return b;
    }

    // Source pixels for `opacity`: alphas also at the last one that gives
    // e = 0 and the first that gives e = 1.
    Bytes src(int32_t width, int32_t opacity) {
        Bytes b = dest(width);
        const int faint = 254 / opacity;
        for (size_t i = 3; i < b.size(); i += 4) {
            if (rng_() % 3 == 0) b[i] = static_cast<uint8_t>(faint + rng_() % 2);
        }
        return b;
    }

    size_t below(size_t n) { return rng_() % n; }

  private:
    std::mt19937 rng_;
};

TEST(VectorRows, MatchOnRandomRowsOfEveryWidthAndOpacity) {
    EdgyPixels pixels(7);
    for (const Twins& t : all_twins()) {
        bool ok = true;
        for (int32_t opacity = 1; opacity <= 255 && ok; ++opacity) {
            std::vector<int32_t> widths;
            for (int32_t w = 0; w <= 40; ++w) widths.push_back(w);
            if (opacity % 17 == 0 || opacity >= 253) widths.insert(widths.end(), {257, 300, 513});
            for (int32_t w : widths) {
                ok =
                    all_match(t, pixels.dest(w), pixels.src(w, opacity), opacity, pixels.below(32));
                if (!ok) break;
            }
        }
    }
}

// The float arithmetic of some modes must not depend on the rounding mode
// the caller has set.
TEST(VectorRows, MatchInEveryRoundingMode) {
    EdgyPixels pixels(17);
    for (int mode : {FE_UPWARD, FE_DOWNWARD, FE_TOWARDZERO}) {
        ASSERT_EQ(std::fesetround(mode), 0);
        for (const Twins& t : all_twins()) {
            for (int32_t opacity = 1; opacity <= 255; opacity += 2) {
                const int32_t w = 1 + static_cast<int32_t>(pixels.below(64));
                if (!all_match(t, pixels.dest(w), pixels.src(w, opacity), opacity)) break;
            }
        }
    }
    std::fesetround(FE_TONEAREST);
}

// Sprite-like rows: long runs of alpha 0 and 255 with a few soft pixels, so
// that whole vectors take the shortcuts.
TEST(VectorRows, MatchOnRunsOfClearAndOpaquePixels) {
    EdgyPixels pixels(11);
    for (const Twins& t : all_twins()) {
        for (int32_t opacity : {1, 100, 254, 255}) {
            for (int round = 0; round < 20; ++round) {
                const int32_t width = 64 + static_cast<int32_t>(pixels.below(64));
                Bytes dest = pixels.dest(width), src = pixels.dest(width);
                uint8_t run_alpha[2] = {0, 255};
                for (int32_t i = 0; i < width; ++i) {
                    const bool soft = pixels.below(10) == 0;
                    src[4 * i + 3] = soft ? pixels.channel() : run_alpha[(i / 16) % 2];
                    dest[4 * i + 3] = round % 2 ? run_alpha[(i / 24) % 2] : 255;
                }
                if (!all_match(t, dest, src, opacity)) break;
            }
        }
    }
}

// Source and destination rows in one buffer, the source starting `shift`
// bytes after the destination (before it when negative); the walk must
// give what the plain rows give wherever the two overlap.
TEST(VectorRows, WalkGivesThePlainBytesOnOverlappingRows) {
    EdgyPixels pixels(13);
    for (const Twins& t : all_twins()) {
        for (int32_t shift = -40; shift <= 40; ++shift) {
            for (int32_t width : {1, 5, 8, 9, 17, 40}) {
                for (int32_t opacity : {1, 77, 255}) {
                    const int32_t rows = 2;
                    Bytes buffer = pixels.dest(width * rows + 24);
                    lumoria::ClippedTransfer c{};
                    const uintptr_t base = reinterpret_cast<uintptr_t>(buffer.data()) + 48 +
                                           static_cast<uintptr_t>(width) * 4;
                    c.dest = {width, rows, base};
                    c.src = {width, rows, base + static_cast<uintptr_t>(shift)};
                    c.width = width;
                    c.height = rows;
                    const Bytes before = buffer;
                    lumoria::walk_rows(c, t.plain, nullptr, opacity);
                    const Bytes plain = buffer;
                    for (size_t k = 0; k < t.fast.size(); ++k) {
                        buffer = before;
                        lumoria::walk_rows(c, t.plain, t.fast[k], opacity);
                        ASSERT_EQ(buffer, plain)
                            << t.name << " " << variants()[k].name << " shift " << shift
                            << " width " << width << " opacity " << opacity;
                    }
                }
            }
        }
    }
}

}  // namespace
