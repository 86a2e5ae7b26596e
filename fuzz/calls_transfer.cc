// Rectangles and block transfers: clear_rect, fill_rect, blt, simple_blt,
// blend_blt and transfer_blt.
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

// An origin clamped into 0 .. limit, the far limit first.
int64_t clamped(int32_t origin, int32_t limit) {
    if (origin > limit) return limit;
    return origin < 0 ? 0 : origin;
}

// Where a rectangle whose origin is clamped onto the bitmap, its size kept
// or cut, can reach: clear_rect and the destination of every transfer.
Region moved_onto(const standin::Bitmap& b, int32_t x, int32_t y, int32_t width, int32_t height) {
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

int32_t pick_opacity(Input& in) { return in.mostly(0, 256); }

void call_clear_rect(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t x = in.coordinate(), y = in.coordinate();
    const int32_t w = in.coordinate(), h = in.coordinate();
    s.call("clear_rect", Result::kStatus, {{d, Bytes::kAll, moved_onto(s.bitmap(d), x, y, w, h)}},
           exports().clear_rect, s.handle(d), x, y, w, h);
}

void call_fill_rect(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t x = in.coordinate(), y = in.coordinate();
    const int32_t w = in.coordinate(), h = in.coordinate();
    // The part of the rectangle off the surface is cut, never moved on.
    const Region inside{x, y, int64_t{x} + w, int64_t{y} + h};
    const int32_t red = in.integer(), green = in.integer(), blue = in.integer();
    const int32_t alpha = in.integer();
    s.call("fill_rect", Result::kStatus, {{d, Bytes::kAll, inside}}, exports().fill_rect,
           s.handle(d), x, y, w, h, red, green, blue, alpha);
}

void call_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t opacity = pick_opacity(in);
    s.call("blt", Result::kStatus, {t.write(s)}, exports().blt, s.handle(t.dest), s.handle(t.src),
           t.dx, t.dy, t.sx, t.sy, t.width, t.height, opacity);
}

void call_simple_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    s.call("simple_blt", Result::kStatus, {t.write(s)}, exports().simple_blt, s.handle(t.dest),
           s.handle(t.src), t.dx, t.dy, t.sx, t.sy, t.width, t.height);
}

void call_blend_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t mode = in.mostly(0, 13), opacity = pick_opacity(in);
    s.call("blend_blt", Result::kStatus, {t.write(s)}, exports().blend_blt, s.handle(t.dest),
           s.handle(t.src), t.dx, t.dy, t.sx, t.sy, t.width, t.height, mode, opacity);
}

void call_transfer_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t mode = in.mostly(0, 4), opacity = pick_opacity(in);
    s.call("transfer_blt", Result::kStatus, {t.write(s)}, exports().transfer_blt, s.handle(t.dest),
           s.handle(t.src), t.dx, t.dy, t.sx, t.sy, t.width, t.height, mode, opacity);
}

}  // namespace

Group<ExportCall> transfer_exports() {
    return {"transfers",
            {
                EXPORT_CALL(clear_rect),
                EXPORT_CALL(fill_rect),
                EXPORT_CALL(blt),
                EXPORT_CALL(simple_blt),
                EXPORT_CALL(blend_blt),
                EXPORT_CALL(transfer_blt),
            }};
}

}  // namespace fuzz
