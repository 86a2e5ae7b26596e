#include "lumoria/transfer/transfer_frame.h"

#include "host/row_order.h"

namespace lumoria {
namespace {

// Clamps an origin into 0..limit, the far limit first: with a surface of
// negative size the origin still ends at 0.
int64_t clamp_origin(int64_t origin, int64_t limit) {
    if (origin > limit) origin = limit;
    if (origin < 0) origin = 0;
    return origin;
}

// Compares the size with the room left rather than origin + size with the
// edge, so no sum can overflow. Computed in 64 bits.
int64_t fit(int64_t size, int64_t room) { return size > room ? room : size; }

// True when a left-to-right walk from `src` to `dest` over `bytes` reads a
// byte it has already written. Two handles may share memory, so this is a
// question of addresses, not of bitmaps.
bool reads_own_writes(const uint8_t* dest, const uint8_t* src, size_t bytes) {
    const uintptr_t d = reinterpret_cast<uintptr_t>(dest);
    const uintptr_t s = reinterpret_cast<uintptr_t>(src);
    return d > s && d - s < bytes;
}

// Whether the two clipped rectangles (rows of `bytes`, height at least 1)
// share no byte. Each runs from its bottom row's first byte to the end of
// its top row.
bool rectangles_apart(const ClippedTransfer& t, size_t bytes) {
    const auto rectangle = [&](const host::Surface& s, int32_t x, int32_t y) -> host::ByteRange {
        return {reinterpret_cast<uintptr_t>(s.pixel(x, y + t.height - 1)),
                reinterpret_cast<uintptr_t>(s.pixel(x, y)) + uint64_t{bytes}};
    };
    return !host::ranges_meet(rectangle(t.dest, t.dx, t.dy), rectangle(t.src, t.sx, t.sy));
}

}  // namespace

bool clip_transfer(const TransferArgs& args, bool refuse, ClippedTransfer& out) {
    if (!host::resolve(args.dest, out.dest)) return false;
    if (refuse) return false;
    if (!host::resolve(args.src, out.src)) return false;
    return clip_on_surfaces(args.dx, args.dy, args.sx, args.sy, args.width, args.height, out);
}

bool clip_on_surfaces(int32_t dx_in, int32_t dy_in, int32_t sx_in, int32_t sy_in, int32_t width_in,
                      int32_t height_in, ClippedTransfer& out) {
    const int64_t dest_w = out.dest.width, dest_h = out.dest.height;
    const int64_t src_w = out.src.width, src_h = out.src.height;

    // The origins are clamped independently: clamping one never moves the
    // other, so a rectangle starting off a bitmap is moved onto it, not cut.
    const int64_t sx = clamp_origin(sx_in, src_w);
    const int64_t sy = clamp_origin(sy_in, src_h);
    int64_t width = fit(width_in, src_w - sx);
    int64_t height = fit(height_in, src_h - sy);
    const int64_t dx = clamp_origin(dx_in, dest_w);
    const int64_t dy = clamp_origin(dy_in, dest_h);
    if (width < 0 || height < 0) return false;
    width = fit(width, dest_w - dx);
    height = fit(height, dest_h - dy);

    // Every value now lies between a surface size (or 0) and the caller's.
    out.sx = static_cast<int32_t>(sx);
    out.sy = static_cast<int32_t>(sy);
    out.dx = static_cast<int32_t>(dx);
    out.dy = static_cast<int32_t>(dy);
    out.width = static_cast<int32_t>(width);
    out.height = static_cast<int32_t>(height);
    return true;
}

void walk_rows(const ClippedTransfer& t, RowFunction plain, RowFunction fast, int32_t param) {
    if (t.width <= 0 || t.height <= 0) return;
    // A row narrower than one vector costs the vector rows more to set up
    // than the plain walk takes (a ripple draws thousands of 1-pixel rows).
    constexpr int32_t kNarrowRow = 8;
    if (t.width < kNarrowRow) fast = nullptr;
    const size_t bytes = static_cast<size_t>(t.width) * host::kPixelBytes;
    // Where the two rectangles share no byte, no row reads another's writes.
    if (fast && rectangles_apart(t, bytes)) {
        host::each_row_rising(0, t.height, [&](int32_t k) {
            fast(t.dest.pixel(t.dx, t.dy + k), t.src.pixel(t.sx, t.sy + k), t.width, param);
        });
        return;
    }
    for (int32_t k = 0; k < t.height; ++k) {
        uint8_t* dest = t.dest.pixel(t.dx, t.dy + k);
        const uint8_t* src = t.src.pixel(t.sx, t.sy + k);
        const bool fast_is_exact = fast && !reads_own_writes(dest, src, bytes);
        (fast_is_exact ? fast : plain)(dest, src, t.width, param);
    }
}

}  // namespace lumoria
