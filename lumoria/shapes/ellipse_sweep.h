// The levels of a thick elliptical ring walked together, step by step.
#pragma once

#include <cstdint>

#include "lumoria/shapes/runs.h"

namespace lumoria::shapes {

// Whether sweep_levels takes levels t1 .. t2 of the ring a x b (b - t2 >= 1)
// and is worth it: their values fit its 64-bit walks, and most of their
// steps have lines that cross the bitmap (it walks every step).
bool sweep_pays(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                int64_t t2);

// Draws levels t1 .. t2 as draw_level draws each (semi-axes a - t, b - t).
void sweep_levels(const Canvas& canvas, int64_t cx, int64_t cy, int64_t a, int64_t b, int64_t t1,
                  int64_t t2);

}  // namespace lumoria::shapes
