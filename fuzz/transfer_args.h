// The arguments the block transfers share, drawn from the input, and where
// a transfer may write.
#pragma once

#include <cstdint>

#include "input.h"
#include "scene.h"

namespace fuzz {

// An origin clamped into 0 .. limit, the far limit first.
inline int64_t clamped(int32_t origin, int32_t limit) {
    if (origin > limit) return limit;
    return origin < 0 ? 0 : origin;
}

// Where a rectangle whose origin is clamped onto the bitmap, its size kept
// or cut, can reach: clear_rect and the destination of every transfer.
inline Region moved_onto(const standin::Bitmap& b, int32_t x, int32_t y, int32_t width,
                         int32_t height) {
    const int64_t x0 = clamped(x, b.width()), y0 = clamped(y, b.height());
    return {x0, y0, x0 + width, y0 + height};
}

// The four transfers share their first eight arguments.
struct Transfer {
    int dest, src;
    int32_t dx, dy, sx, sy, width, height;

    explicit Transfer(Scene& s, Input& in)
        : dest(s.pick(in)),
          src(s.pick(in)),
          dx(in.coordinate()),
          dy(in.coordinate()),
          sx(in.coordinate()),
          sy(in.coordinate()),
          width(in.coordinate()),
          height(in.coordinate()) {}

    Write write(const Scene& s) const {
        return {dest, Bytes::kAll, moved_onto(s.bitmap(dest), dx, dy, width, height)};
    }
};

inline int32_t pick_opacity(Input& in) { return in.mostly(0, 256); }

}  // namespace fuzz
