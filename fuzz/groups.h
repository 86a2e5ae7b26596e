// The export groups and the row-function groups that the harness draws its
// calls from. A run fuzzes one group, or all of them with the first byte of
// each input choosing.
#pragma once

#include <vector>

#include "exports.h"
#include "input.h"
#include "scene.h"

namespace fuzz {

// One export: its name, whether the library has it, and a call of it with
// arguments drawn from the input. A slow export spins for a fixed time
// whatever its arguments, so it is drawn less often than the others.
struct ExportCall {
    const char* name;
    bool present;
    void (*run)(Scene& scene, Input& in);
    bool slow = false;
};

// One check of fast paths against the plain path (see twins.h), on
// arguments drawn from the input.
struct TwinCheck {
    const char* name;
    void (*run)(Input& in);
};

// The call of an export from its name alone: the function that calls
// export `name` is call_name.
#define EXPORT_CALL(name) \
    ExportCall { #name, exports().name != nullptr, call_##name }
#define SLOW_EXPORT_CALL(name) \
    ExportCall { #name, exports().name != nullptr, call_##name, true }

template <class Operation>
struct Group {
    const char* name;
    std::vector<Operation> operations;
};

Group<ExportCall> transfer_exports();
Group<ExportCall> map_exports();
Group<ExportCall> filter_exports();
Group<ExportCall> effect_exports();
Group<ExportCall> shape_exports();
Group<ExportCall> readback_exports();
Group<ExportCall> quorvex_exports();

Group<TwinCheck> transfer_twins();
Group<TwinCheck> map_twins();
Group<TwinCheck> filter_twins();
Group<TwinCheck> effect_twins();
Group<TwinCheck> readback_twins();
Group<TwinCheck> quorvex_twins();

}  // namespace fuzz
