// draw_circle: rings, discs and arcs.
//
// A ring of outer radius r is traced by two midpoint walks at once, of the
// outer radius r and of the inner radius q = r - 1, over one octant from the
// axis to the diagonal; at step y the run covers the columns from the inner
// walk's (exclusive) to the outer walk's, and is mirrored into all eight
// octants. A thick ring is made of levels, each one pixel smaller.
//
// The walks are not run step by step from the axis: their columns have closed
// forms (circle_walk.h), so a level jumps to the steps whose runs reach the bitmap, and
// the levels whose rings cannot reach the bitmap are skipped. Pixels are the
// same as walking everything, in any order, since every run has one colour.
// The shipped build walks the levels together instead (circle_sweep.cc).
#include <cmath>

#include "host/cpu_features.h"
#include "lumoria.h"
#include "lumoria/shapes/circle_sweep.h"
#include "lumoria/shapes/circle_walk.h"
#include "lumoria/shapes/runs.h"

namespace lumoria::shapes {
namespace {

void draw_ring(const Canvas& canvas, int64_t cx, int64_t cy, int64_t r, const Arc& arc) {
    const RingWalk walk(r);
    for (const OctantRun& o : kOctantRuns) {
        draw_mirror(walk, canvas, cx, cy, o.mirror,
                    [&](const RingWalk::State& s) { return draws(o, arc, r, s.run.p, s.run.hi); });
    }
}

// Ring radii that can reach the bitmap. A ring of radius r >= 1 sets pixels
// at distances d from the centre with (r - 1)^2 + (r - 1) <= d^2 < r^2 + r;
// the margins cover rounding of the distances.
void radii_near(const Canvas& canvas, int64_t cx, int64_t cy, int64_t& lowest, int64_t& highest) {
    double nx, fx, ny, fy;
    axis_distances(cx, canvas.width(), nx, fx);
    axis_distances(cy, canvas.height(), ny, fy);
    lowest = static_cast<int64_t>(std::floor(std::sqrt(nx * nx + ny * ny))) - 2;
    highest = static_cast<int64_t>(std::ceil(std::sqrt(fx * fx + fy * fy))) + 2;
}

}  // namespace
}  // namespace lumoria::shapes

int32_t draw_circle(int32_t dest, int32_t cx, int32_t cy, int32_t radius, int32_t thickness,
                    int32_t start_angle, int32_t end_angle, int32_t red, int32_t green,
                    int32_t blue, int32_t alpha) {
    using namespace lumoria::shapes;
    const Canvas canvas(dest, red, green, blue, alpha);
    if (!canvas.drawable() || radius < 1) return 1;
    const Arc arc(start_angle, end_angle);
    // Level t (t < thickness, at least one level) has the ring radius
    // radius - 1 - t; the level of radius 0 is the centre pixel and the last.
    const int64_t levels = thickness > 1 ? thickness : 1;
    int64_t top = int64_t{radius} - 1;
    int64_t bottom = levels > top ? 0 : top - levels + 1;
    int64_t near, far;
    radii_near(canvas, cx, cy, near, far);
    if (near > bottom) bottom = near;
    if (far < top) top = far;
    if (bottom == 0 && top >= 0) canvas.fill(cx, cy, 1, 1);  // the level of radius 0
    if (bottom < 1) bottom = 1;
    if (host::kPlainBuild) {
        for (int64_t r = top; r >= bottom; --r) draw_ring(canvas, cx, cy, r, arc);
    } else if (bottom <= top) {
        sweep_rings(canvas, cx, cy, bottom, top, arc);
    }
    return 1;
}
