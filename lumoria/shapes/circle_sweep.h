// The rings of a thick circle walked together, step by step.
#pragma once

#include <cstdint>

#include "lumoria/shapes/circle_walk.h"
#include "lumoria/shapes/runs.h"

namespace lumoria::shapes {

// Draws the rings of radii bottom to top (1 <= bottom <= top < 2^31) the way
// draw_ring does, one after the other, draws them.
void sweep_rings(const Canvas& canvas, int64_t cx, int64_t cy, int64_t bottom, int64_t top,
                 const Arc& arc);

}  // namespace lumoria::shapes
