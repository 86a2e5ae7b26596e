// Rectangles and block transfers: clear_rect, fill_rect, blt, simple_blt,
// blend_blt and transfer_blt.
#include "exports.h"
#include "groups.h"
#include "lumoria/transfer/modes.h"
#include "transfer_args.h"

namespace fuzz {
namespace {

void call_clear_rect(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t x = in.coordinate(), y = in.coordinate();
    const int32_t w = in.coordinate(), h = in.coordinate();
    s.call("clear_rect", Result::kStatus, {{d, Bytes::kAll, moved_onto(s.bitmap(d), x, y, w, h)}},
           &Exports::clear_rect, s.handle(d), x, y, w, h);
}

void call_fill_rect(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t x = in.coordinate(), y = in.coordinate();
    const int32_t w = in.coordinate(), h = in.coordinate();
    // The part of the rectangle off the surface is cut, never moved on.
    const Region inside{x, y, int64_t{x} + w, int64_t{y} + h};
    const int32_t red = in.integer(), green = in.integer(), blue = in.integer();
    const int32_t alpha = in.integer();
    s.call("fill_rect", Result::kStatus, {{d, Bytes::kAll, inside}}, &Exports::fill_rect,
           s.handle(d), x, y, w, h, red, green, blue, alpha);
}

void call_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t opacity = pick_opacity(in);
    s.call("blt", Result::kStatus, {t.write(s)}, &Exports::blt, s.handle(t.dest), s.handle(t.src),
           t.dx, t.dy, t.sx, t.sy, t.width, t.height, opacity);
}

void call_simple_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    s.call("simple_blt", Result::kStatus, {t.write(s)}, &Exports::simple_blt, s.handle(t.dest),
           s.handle(t.src), t.dx, t.dy, t.sx, t.sy, t.width, t.height);
}

void call_blend_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t mode = in.mostly(0, 13), opacity = pick_opacity(in);
    // Dissolve draws from the C library's generator, reseeded from the clock:
    // two calls need not draw alike.
    const bool dissolve = static_cast<uint32_t>(mode) == lumoria::kDissolveMode;
    s.call_twinned_if(!dissolve, "blend_blt", Result::kStatus, {t.write(s)}, &Exports::blend_blt,
                      s.handle(t.dest), s.handle(t.src), t.dx, t.dy, t.sx, t.sy, t.width, t.height,
                      mode, opacity);
}

void call_transfer_blt(Scene& s, Input& in) {
    const Transfer t(s, in);
    const int32_t mode = in.mostly(0, 4), opacity = pick_opacity(in);
    s.call("transfer_blt", Result::kStatus, {t.write(s)}, &Exports::transfer_blt, s.handle(t.dest),
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
