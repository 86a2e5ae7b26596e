#include "bench/table.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "bench/registry.h"

namespace bench {
namespace {

std::string format(const char* pattern, double value) {
    char text[32];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

bool TableReporter::ReportContext(const Context& context) {
    const auto& cpu = context.cpu_info;
    header_.push_back(std::to_string(cpu.num_cpus) + " CPUs at " +
                      format("%.0f", cpu.cycles_per_second / 1e6) + " MHz" +
                      (cpu.scaling == benchmark::CPUInfo::ENABLED ? ", frequency scaling on" : ""));
    return true;
}

void TableReporter::ReportRuns(const std::vector<Run>& runs) {
    const Registry& r = registry();
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration) continue;
        const std::string& name = run.run_name.function_name;
        if (run.error_occurred) {
            errors_[name] = run.error_message;
            continue;
        }
        const auto work = r.work.find(name);
        const auto fastest = run.counters.find(kFastestCall);
        if (work == r.work.end() || fastest == run.counters.end() || fastest->second <= 0) continue;
        const double speed = static_cast<double>(work->second) / fastest->second / 1e6;
        speed_[name] = speed;
        std::fprintf(stderr, "[%d] %-52s %10.1f MP/s\n", ++done_, name.c_str(), speed);
    }
}

std::string TableReporter::ratio(double speed, const std::string& reference) const {
    const auto found = speed_.find(reference);
    if (reference.empty() || found == speed_.end()) return "-";
    return format("%#.3g", speed / found->second);
}

void TableReporter::Finalize() {
    const Registry& r = registry();
    std::FILE* out = stdout;
    for (const std::string& line : header_) std::fprintf(out, "%s\n", line.c_str());
    if (!r.missing.empty()) {
        std::string names;
        for (const std::string& m : r.missing) names += " " + m;
        std::fprintf(out, "skipped, not exported by the libraries yet:%s\n", names.c_str());
    }
    for (const auto& [name, message] : errors_)
        std::fprintf(out, "failed: %s: %s\n", name.c_str(), message.c_str());

    std::set<std::string> bandwidth;
    for (const TableRow& row : r.rows) bandwidth.insert({row.memset, row.memcpy});
    for (const std::string& name : bandwidth) {
        const auto found = speed_.find(name);
        if (found != speed_.end())
            std::fprintf(out, "%s: %.1f MP/s\n", name.c_str(), found->second);
    }

    size_t width = 4;
    for (const TableRow& row : r.rows) width = std::max(width, row.name.size());
    const int w = static_cast<int>(width);
    std::fprintf(out, "\n%-*s %8s %9s %8s %8s %8s  %-12s %8s\n", w, "case", "ms/call", "MP/s",
                 "xmemset", "xmemcpy", "xplain", "pixman op", "xpixman");
    const TableRow* previous = nullptr;
    for (const TableRow& row : r.rows) {
        const auto found = speed_.find(row.name);
        if (found == speed_.end()) continue;  // filtered out, or failed
        if (previous && previous->size.width != row.size.width) std::fprintf(out, "\n");
        previous = &row;
        const double speed = found->second;
        // The fastest call's time: the work over its speed.
        const auto work = r.work.find(row.name);
        const double ms =
            work == r.work.end() ? 0.0 : static_cast<double>(work->second) / speed / 1e3;
        std::fprintf(out, "%-*s %8.2f %9.1f %8s %8s %8s  %-12s %8s\n", w, row.name.c_str(), ms,
                     speed, ratio(speed, row.memset).c_str(), ratio(speed, row.memcpy).c_str(),
                     ratio(speed, row.plain).c_str(),
                     row.pixman_op.empty() ? "-" : row.pixman_op.c_str(),
                     ratio(speed, row.pixman).c_str());
    }
    std::fflush(out);
}

}  // namespace bench
