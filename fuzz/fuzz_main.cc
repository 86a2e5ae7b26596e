// The libFuzzer entry points. Two environment variables choose the run:
//
//   FUZZ_MODE   exports (the default): each input is a scene of bitmaps and
//               a sequence of export calls on it, checked after every call.
//               twins: the same, with every call also held against the plain
//               build of its library, and row-function checks mixed in, every
//               fast path against its plain twin on the same row (twins.h).
//   FUZZ_GROUP  transfers, maps, filters, effects, shapes, read-back,
//               quorvex, or all (the default: each input's first byte picks).
//
// FUZZ_TRACE, when set, prints the scene and every call to stderr.
#include <strings.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "groups.h"
#include "tests/internal/row_tables.h"

namespace fuzz {
namespace {

// Calls per input: enough for one call to meet what an earlier one left.
constexpr int kMaxCalls = 8;

// The groups named by `wanted`, without the exports that cannot run.
std::vector<Group<ExportCall>> choose(std::vector<Group<ExportCall>> all, const char* wanted) {
    std::vector<Group<ExportCall>> kept;
    for (Group<ExportCall>& g : all) {
        if (strcasecmp(wanted, "all") != 0 && strcasecmp(wanted, g.name) != 0) continue;
        std::vector<ExportCall> operations;
        for (const ExportCall& op : g.operations) {
            if (op.present) {
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
// The row checks of each export group: in twins mode only, and none for some.
std::vector<std::vector<TwinCheck>> row_checks;

std::vector<Group<TwinCheck>> twin_groups() {
    return {transfer_twins(), map_twins(),      filter_twins(),
            effect_twins(),   readback_twins(), quorvex_twins()};
}

// The row checks of the group named `name`.
std::vector<TwinCheck> row_checks_of(const char* name) {
    for (const Group<TwinCheck>& g : twin_groups())
        if (strcasecmp(name, g.name) == 0) return g.operations;
    return {};
}

// Stops the run unless every row of every variant table (row_tables.h) has
// the row check listed for it.
void expect_every_row_checked() {
    const std::vector<Group<TwinCheck>> groups = twin_groups();
    for (const ListedRow& row : kListedRows) {
        bool found = false;
        for (const Group<TwinCheck>& g : groups)
            for (const TwinCheck& check : g.operations)
                found = found || (strcmp(g.name, row.twin_group) == 0 &&
                                  strcmp(check.name, row.twin_check) == 0);
        if (!found) {
            std::fprintf(stderr, "fuzz: %s %s has no row check %s in group %s\n", row.table,
                         row.member, row.twin_check, row.twin_group);
            std::exit(2);
        }
    }
}

size_t group_for(Input& in) {
    if (export_groups.size() == 1) return 0;
    return in.below(static_cast<uint32_t>(export_groups.size()));
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
    export_groups = choose({transfer_exports(), map_exports(), filter_exports(), effect_exports(),
                            shape_exports(), readback_exports(), quorvex_exports()},
                           group);
    if (export_groups.empty()) {
        std::fprintf(stderr, "fuzz: nothing to run for FUZZ_MODE=%s FUZZ_GROUP=%s\n", mode, group);
        std::exit(0);
    }
    if (twins_mode) expect_every_row_checked();
    for (const Group<ExportCall>& g : export_groups)
        row_checks.push_back(twins_mode ? row_checks_of(g.name) : std::vector<TwinCheck>{});
    // Loaded before the first input, as the shipped libraries are, so that
    // the fuzzer sees their coverage from the start.
    if (twins_mode) plain_exports();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace fuzz;
    Input in(data, size);
    const size_t g = group_for(in);
    const std::vector<TwinCheck>& rows = row_checks[g];
    Scene scene(in, twins_mode);
    for (int k = 0; k < kMaxCalls && !(k > 0 && in.exhausted()); ++k) {
        if (!rows.empty() && in.one_in(2)) {
            rows[in.below(static_cast<uint32_t>(rows.size()))].run(in);
        } else {
            export_for(export_groups[g], in).run(scene, in);
        }
    }
    return 0;
}
