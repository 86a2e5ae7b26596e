// Shared by the block transfer tests: one-pixel draws and the five ways of
// making an exact copy through the transfers' common frame.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support.h"

namespace transfer_support {

// Draws a 1 x 1 source pixel onto a 1 x 1 destination pixel with
// `draw(dest, src)`, which must report success, and returns the result.
template <class Draw>
Pixel drawn(Pixel dest, Pixel src, Draw draw) {
    Bitmap d(1, 1), s(1, 1);
    d.set(0, 0, dest);
    s.set(0, 0, src);
    EXPECT_EQ(draw(d.handle(), s.handle()), 1);
    EXPECT_TRUE(d.intact());
    return d.get(0, 0);
}

// Draws a row of three opaque source pixels with `draw(dest, src)`, which
// must use opacity 100; the middle source pixel has alpha 2, so its alpha
// product is 200 and its effective alpha 0. That pixel must stay as it was
// while the row goes on around it. Returns the last pixel drawn.
template <class Draw>
Pixel drawn_around_a_faint_pixel(Draw draw) {
    const Pixel background{9, 99, 199, 50};
    Bitmap dest(3, 1), src(3, 1);
    dest.fill(background);
    src.fill({100, 100, 100, 255});
    src.set(1, 0, {100, 100, 100, 2});
    EXPECT_EQ(draw(dest.handle(), src.handle()), 1);
    EXPECT_EQ(dest.get(1, 0), background);
    EXPECT_EQ(dest.get(0, 0), dest.get(2, 0));
    EXPECT_NE(dest.get(2, 0), background);
    return dest.get(2, 0);
}

inline Pixel blended(int32_t mode, int32_t opacity, Pixel dest, Pixel src) {
    return drawn(dest, src, [&](int32_t d, int32_t s) {
        return LUMORIA(blend_blt)(d, s, 0, 0, 0, 0, 1, 1, mode, opacity);
    });
}

inline Pixel layered(int32_t mode, int32_t opacity, Pixel dest, Pixel src) {
    return drawn(dest, src, [&](int32_t d, int32_t s) {
        return LUMORIA(transfer_blt)(d, s, 0, 0, 0, 0, 1, 1, mode, opacity);
    });
}

// A transfer with its mode and opacity fixed: dest, src, dx, dy, sx, sy,
// width, height.
using Transfer =
    std::function<int32_t(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t)>;

struct NamedTransfer {
    std::string name;
    Transfer call;
};

// Every export set up so that an opaque source pixel is copied exactly.
inline std::vector<NamedTransfer> exact_copies() {
    auto blt = LUMORIA(blt);
    auto simple_blt = LUMORIA(simple_blt);
    auto blend_blt = LUMORIA(blend_blt);
    auto transfer_blt = LUMORIA(transfer_blt);
    return {
        {"simple_blt", simple_blt},
        {"blt", [=](auto... a) { return blt(a..., 255); }},
        {"blend_blt normal", [=](auto... a) { return blend_blt(a..., 0, 255); }},
        {"blend_blt dissolve", [=](auto... a) { return blend_blt(a..., 12, 257); }},
        {"transfer_blt over", [=](auto... a) { return transfer_blt(a..., 0, 255); }},
    };
}

// A bitmap of distinct opaque pixels: pixel (x, y) is (x, y, 7, 255).
inline Bitmap numbered(int32_t w, int32_t h) {
    Bitmap b(w, h);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            b.set(x, y, Pixel{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 7, 255});
    return b;
}

}  // namespace transfer_support
