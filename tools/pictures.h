// The demo's built-in pictures and arrays, made from code so that the demo
// needs no input files.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "standin/bitmap.h"

namespace tool {

// scene (gradients, shapes, partly transparent areas), sprite (a second
// picture to draw with), mask (grey), tileset (8 x 2 tiles of 32 x 32) and
// blank (transparent, the size of scene).
const std::vector<std::string>& picture_names();

// A fresh copy of a built-in picture. Throws Failure(kUsage) for other names.
standin::Bitmap picture(const std::string& name);

// A built-in array as list text, or nothing for other names: map-tiles,
// map-keys and map-dims (a two-layer map for blank), posterize and contrast
// (lookup tables) and records (readback records for the timing probe).
std::optional<std::string> array_text(const std::string& name);

}  // namespace tool
