// Spatial effects: pixelize, ripple, ripple_circ and radial_blur.
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

void call_pixelize(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t block_width = in.small(-1, 9), block_height = in.small(-1, 9);
    s.call("pixelize", Result::kBoolean, {{d}}, &Exports::pixelize, s.handle(d), block_width,
           block_height);
}

void call_ripple(Scene& s, Input& in) {
    const int d = s.pick(in), src = s.pick(in);
    const int32_t scale = in.mostly(-20, 40), amplitude = in.small(-20, 20);
    const int32_t vertical = in.mostly(0, 1);
    s.call("ripple", Result::kStatus, {{d}}, &Exports::ripple, s.handle(d), s.handle(src), scale,
           amplitude, vertical);
}

void call_ripple_circ(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t cx = in.coordinate(), cy = in.coordinate(), phase = in.integer();
    const int32_t period = in.small(-1, 40), strength = in.mostly(-200, 300);
    const int32_t radius = in.small(-1, 40);
    // The box centre ± radius, its far ends exclusive; colour bytes only.
    const Region box{int64_t{cx} - radius, int64_t{cy} - radius, int64_t{cx} + radius,
                     int64_t{cy} + radius};
    s.call("ripple_circ", Result::kStatus, {{d, Bytes::kColour, box}}, &Exports::ripple_circ,
           s.handle(d), cx, cy, phase, period, strength, radius);
}

void call_radial_blur(Scene& s, Input& in) {
    const int d = s.pick(in), src = s.pick(in);
    const int32_t samples = in.small(-1, 20), reserved = in.integer();
    const int32_t scaled = in.mostly(-1, 1);
    s.call("radial_blur", Result::kBoolean, {{d}}, &Exports::radial_blur, s.handle(d),
           s.handle(src), samples, reserved, scaled);
}

}  // namespace

Group<ExportCall> effect_exports() {
    return {"effects",
            {
                EXPORT_CALL(pixelize),
                EXPORT_CALL(ripple),
                EXPORT_CALL(ripple_circ),
                EXPORT_CALL(radial_blur),
            }};
}

}  // namespace fuzz
