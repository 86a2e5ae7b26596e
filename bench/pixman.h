// pixman's closest operations as reference points, when the benchmark was
// built with it. pixman is only timed here, as a speed reference.
#pragma once

#include <string>

#include "bench/scene.h"

namespace bench {

// Registers pixman's operation `op` ("fill", "SRC", "OVER", ...,
// "affine-nearest", "affine-bilinear") on `setup`, once, and returns the
// case's name; an empty name when pixman is not available.
std::string pixman_reference(const char* op, const Setup& setup);

// For the table's header: pixman's version, or how to get it.
std::string pixman_status();

}  // namespace bench
