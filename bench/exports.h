// The cases of every export of both libraries, with pixman's closest
// operation where there is one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench/registry.h"

namespace bench {

struct ExportCase {
    const char* symbol;
    std::string label = {};  // empty: the symbol
    bool quorvex = false;
    Inputs inputs = Inputs::kSurface;
    // Makes the timed call of the export found at `fn`.
    std::function<Call(void* fn, Scene&)> call = {};
    const char* pixman = nullptr;  // pixman's closest operation, if any
    Restore restore = Restore::kNothing;
    int64_t fixed_work = 0;
};

std::vector<ExportCase> export_cases();

// The affine transform of the resampling cases: a 30-degree rotation and a
// scale of 1.2 about the centres, into a destination of the same size.
constexpr double kRotationDegrees = 30.0;
constexpr double kScale = 1.2;

}  // namespace bench
