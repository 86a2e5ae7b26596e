// Shapes: draw_circle and draw_ellipse. Both always return 1, and write only
// their bitmap (through fill_rect, which clips or refuses every run).
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

struct Colour {
    int32_t red, green, blue, alpha;
    explicit Colour(Input& in)
        : red(in.integer()), green(in.integer()), blue(in.integer()), alpha(in.integer()) {}
};

void call_draw_circle(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t cx = in.coordinate(), cy = in.coordinate();
    const int32_t radius = in.small(-1, 40), thickness = in.small(-1, 40);
    const int32_t start = in.mostly(-400, 800), end = in.mostly(-400, 800);
    const Colour c(in);
    s.call("draw_circle", Result::kAlwaysOne, {{d}}, &Exports::draw_circle, s.handle(d), cx, cy,
           radius, thickness, start, end, c.red, c.green, c.blue, c.alpha);
}

void call_draw_ellipse(Scene& s, Input& in) {
    const int d = s.pick(in);
    const int32_t cx = in.coordinate(), cy = in.coordinate();
    const int32_t radius_x = in.small(-1, 40), radius_y = in.small(-1, 40);
    const int32_t thickness = in.small(-1, 40);
    const int32_t reserved1 = in.integer(), reserved2 = in.integer();
    const Colour c(in);
    s.call("draw_ellipse", Result::kAlwaysOne, {{d}}, &Exports::draw_ellipse, s.handle(d), cx, cy,
           radius_x, radius_y, thickness, reserved1, reserved2, c.red, c.green, c.blue, c.alpha);
}

}  // namespace

Group<ExportCall> shape_exports() {
    return {"shapes",
            {
                EXPORT_CALL(draw_circle),
                EXPORT_CALL(draw_ellipse),
            }};
}

}  // namespace fuzz
