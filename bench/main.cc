// Times every export of lumoria and Quorvex as the engine calls them (loaded
// with dlopen, on the engine's own bitmaps), next to reference points timed
// in the same run: memset and memcpy of the same bytes, the same call into
// the plain build of its library, and pixman's closest operation. Prints one
// table.
//
//   lumoria-bench [--smoke] [Google Benchmark flags]
//
// --smoke runs every case once, to prove that it runs; it judges no timing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "bench/exports.h"
#include "bench/pixman.h"
#include "bench/registry.h"
#include "bench/table.h"
#include "host/cpu_features.h"
#include "standin/library.h"

namespace bench {
namespace {

constexpr Size kSizes[] = {{640, 480}, {1920, 1080}};

// Both libraries, as shipped or as their plain build.
struct Libraries {
    standin::Library lumoria, quorvex;

    void* symbol(const ExportCase& c) const {
        return (c.quorvex ? quorvex : lumoria).symbol(c.symbol);
    }
};

// The case `c` calling the export found at `fn`.
Operation operation(const ExportCase& c, const std::string& label, void* fn) {
    return {label, c.inputs, [call = c.call, fn](Scene& s) { return call(fn, s); }, c.restore,
            c.fixed_work};
}

void register_cases() {
    static const Libraries shipped{standin::Library(LUMORIA_SO), standin::Library(QUORVEX_SO)};
    static const Libraries plain{standin::Library(LUMORIA_PLAIN_SO),
                                 standin::Library(QUORVEX_PLAIN_SO)};
    Registry& r = registry();
    const std::vector<ExportCase> cases = export_cases();
    std::set<std::string> missing;
    for (const Size size : kSizes) {
        const Bandwidth bandwidth = add_bandwidth_cases(size);
        for (const ExportCase& c : cases) {
            const std::string label = c.label.empty() ? c.symbol : c.label;
            void* fn = shipped.symbol(c);
            void* plain_fn = plain.symbol(c);
            if (!fn || !plain_fn) {
                if (missing.insert(label).second) r.missing.push_back(label);
                continue;
            }
            const Operation op = operation(c, label, fn);
            const Operation plain_op = operation(c, label, plain_fn);
            // Each reference is registered just before its case, so that the
            // two run close together on a busy machine.
            for (const Setup& setup : setups_for(c.inputs, size)) {
                const std::string plain_name = add_case(plain_op, setup, "plain/");
                const std::string pixman_name = pixman_reference(c.pixman, setup);
                r.rows.push_back({add_case(op, setup), size, bandwidth.memset, bandwidth.memcpy,
                                  plain_name, pixman_name, c.pixman ? c.pixman : ""});
            }
        }
    }
}

std::string cpu_model() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

std::vector<std::string> header() {
    return {
        "CPU: " + cpu_model() + "; fast path: " + host::kLevelNames[host::cpu_vector_level()],
        "reference points: " + pixman_status(),
        "ms/call: the fastest call of a case; MP/s: megapixels of the surface per second in it "
        "(test, test2: their fixed 307200 steps); a 60 fps frame leaves about 2 ms to one call",
        "xmemset, xmemcpy, xplain, xpixman: MP/s over the reference's MP/s on the same bytes "
        "(xplain: the same call into the plain build, which has no fast path; xpixman: pixman's "
        "op in the next column)",
    };
}

}  // namespace
}  // namespace bench

int main(int argc, char** argv) {
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0)
            bench::registry().smoke = true;
        else
            args.push_back(argv[i]);
    }
    int count = static_cast<int>(args.size());
    args.push_back(nullptr);
    bench::register_cases();
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    bench::TableReporter reporter(bench::header());
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
