// The libFuzzer entry points. Two environment variables choose the run:
//
//   FUZZ_MODE   exports (the default): each input is a scene of bitmaps and
//               a sequence of export calls on it, checked after every call.
//               twins: each input is a sequence of row-function checks, every
//               fast path against its plain twin on the same row.
//   FUZZ_GROUP  transfers, maps, filters, effects, shapes, read-back,
//               quorvex, or all (the default: each input's first byte picks).
//
// FUZZ_TRACE, when set, prints the scene and every call to stderr.
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "groups.h"

namespace fuzz {
namespace {

// Calls per input: enough for one call to meet what an earlier one left.
constexpr int kMaxCalls = 8;

bool runnable(const ExportCall& call) { return call.present; }
bool runnable(const TwinCheck&) { return true; }

// The groups named by `wanted`, without the operations that cannot run.
template <class Operation>
std::vector<Group<Operation>> choose(std::vector<Group<Operation>> all, const char* wanted) {
    std::vector<Group<Operation>> kept;
    for (Group<Operation>& g : all) {
        if (strcasecmp(wanted, "all") != 0 && strcasecmp(wanted, g.name) != 0) continue;
        std::vector<Operation> operations;
        for (const Operation& op : g.operations) {
            if (runnable(op)) {
                operations.push_back(op);
            } else {
                std::fprintf(stderr, "fuzz: %s is missing from its library, left out\n", op.name);
            }
        }
        if (operations.empty()) {
            std::fprintf(stderr, "fuzz: group %s has nothing to run\n", g.name);
            continue;
        }
        g.operations = std::move(operations);
        kept.push_back(std::move(g));
    }
    return kept;
}

const char* setting(const char* name, const char* fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

bool twins_mode = false;
std::vector<Group<ExportCall>> export_groups;
std::vector<Group<TwinCheck>> twin_groups;

template <class Operation>
const Group<Operation>& group_for(const std::vector<Group<Operation>>& groups, Input& in) {
    if (groups.size() == 1) return groups[0];
    return groups[in.below(static_cast<uint32_t>(groups.size()))];
}

template <class Operation>
const Operation& operation_for(const Group<Operation>& group, Input& in) {
    return group.operations[in.below(static_cast<uint32_t>(group.operations.size()))];
}

// A slow export drawn is kept one time in sixteen, else the next one that is
// not slow is taken: the timing probes would otherwise take nearly all of the
// read-back group's time.
const ExportCall& export_for(const Group<ExportCall>& group, Input& in) {
    const std::vector<ExportCall>& calls = group.operations;
    size_t k = in.below(static_cast<uint32_t>(calls.size()));
    if (!calls[k].slow || in.one_in(16)) return calls[k];
    for (size_t step = 0; step < calls.size() && calls[k].slow; ++step) k = (k + 1) % calls.size();
    return calls[k];
}

}  // namespace
}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    using namespace fuzz;
    const char* mode = setting("FUZZ_MODE", "exports");
    const char* group = setting("FUZZ_GROUP", "all");
    twins_mode = strcasecmp(mode, "twins") == 0;
    if (!twins_mode && strcasecmp(mode, "exports") != 0) {
        std::fprintf(stderr, "fuzz: FUZZ_MODE is exports or twins, not %s\n", mode);
        std::exit(2);
    }
    static const char* const kGroups[] = {"all",     "transfers", "maps",      "filters",
                                          "effects", "shapes",    "read-back", "quorvex"};
    bool known = false;
    for (const char* name : kGroups) known = known || strcasecmp(group, name) == 0;
    if (!known) {
        std::fprintf(stderr,
                     "fuzz: FUZZ_GROUP %s is none of all, transfers, maps, filters, "
                     "effects, shapes, read-back, quorvex\n",
                     group);
        std::exit(2);
    }
    size_t groups = 0;
    if (twins_mode) {
        twin_groups = choose<TwinCheck>(
            {transfer_twins(), map_twins(), filter_twins(), effect_twins(), quorvex_twins()},
            group);
        groups = twin_groups.size();
    } else {
        export_groups = choose<ExportCall>(
            {transfer_exports(), map_exports(), filter_exports(), effect_exports(), shape_exports(),
             readback_exports(), quorvex_exports()},
            group);
        groups = export_groups.size();
    }
    if (groups == 0) {
        std::fprintf(stderr, "fuzz: nothing to run for FUZZ_MODE=%s FUZZ_GROUP=%s\n", mode, group);
        std::exit(0);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fuzz;
    Input in(data, size);
    if (twins_mode) {
        const Group<TwinCheck>& group = group_for(twin_groups, in);
        for (int k = 0; k < kMaxCalls && !(k > 0 && in.exhausted()); ++k)
            operation_for(group, in).run(in);
    } else {
        const Group<ExportCall>& group = group_for(export_groups, in);
        Scene scene(in);
        for (int k = 0; k < kMaxCalls && !(k > 0 && in.exhausted()); ++k)
            export_for(group, in).run(scene, in);
    }
    return 0;
}
