// The cases of the benchmark: every case is a call timed on a scene, and is
// registered with Google Benchmark under a name that says what it calls and
// on what ("blt/1920x1080/random/opaque"). Reference points are cases of
// their own; a table row names the ones its case is compared with.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/scene.h"

namespace bench {

// One timed call; made once per scene, so that setting up its arguments is
// not timed.
using Call = std::function<void()>;
using Prepare = std::function<Call(Scene&)>;

struct Operation {
    std::string label;  // the name's first part, e.g. "blend_blt/3-multiply"
    Inputs inputs;
    Prepare prepare;
    Restore restore = Restore::kNothing;
    // Work per call counted as pixels: the surface's pixels, unless the call
    // does a fixed amount of work whatever the surface.
    int64_t fixed_work = 0;
};

// The counter that holds a case's fastest call, in seconds.
constexpr const char* kFastestCall = "fastest_call";

// Registers `op` on `setup` as "<prefix><label>/<setup>" (once, however
// often it is asked for) and returns that name.
std::string add_case(const Operation& op, const Setup& setup, const std::string& prefix = "");

// A line of the final table: a case of the libraries and the names of its
// reference points (empty where it has none).
struct TableRow {
    std::string name;
    Size size;
    std::string memset, memcpy, plain, pixman, pixman_op;
};

struct Registry {
    std::vector<TableRow> rows;
    std::map<std::string, int64_t> work;  // pixels per call, by case name
    std::vector<std::string> missing;     // exports not found in the libraries
    bool smoke = false;                   // each case runs once, for no timing
};
Registry& registry();

// memset and memcpy of a surface's bytes at `size`: the bandwidth limit.
struct Bandwidth {
    std::string memset, memcpy;  // case names
};
Bandwidth add_bandwidth_cases(Size size);

}  // namespace bench
