#include "bench/registry.h"

#include <benchmark/benchmark.h>
#include <time.h>

#include <cstring>
#include <memory>

namespace bench {
namespace {

// The scene of the case being run. Google Benchmark calls a case several
// times while it finds its iteration count; the scene is built once for all
// of them and dropped when the next case begins.
struct Prepared {
    std::string name;
    std::unique_ptr<Scene> scene;
    Call call;
};

Prepared& prepared(const std::string& name, const Operation& op, const Setup& setup) {
    static Prepared slot;
    if (slot.name != name) {
        slot.call = nullptr;  // it may point into the old scene
        slot.scene = std::make_unique<Scene>(setup, op.restore);
        slot.call = op.prepare(*slot.scene);
        slot.name = name;
    }
    return slot;
}

// The CPU time of this thread, in seconds: on a machine shared with other
// busy processes, the time they are given does not count.
double thread_seconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Only the call is timed: putting the bitmaps back is not. Besides the mean,
// the fastest call is kept: on a busy machine it is the steadier measure.
void measure(benchmark::State& state, Scene& scene, const Call& call, int64_t work) {
    double fastest = 0.0;
    for (auto _ : state) {
        scene.restore();
        const double start = thread_seconds();
        call();
        benchmark::ClobberMemory();
        const double seconds = thread_seconds() - start;
        state.SetIterationTime(seconds);
        if (fastest == 0.0 || seconds < fastest) fastest = seconds;
    }
    state.SetItemsProcessed(state.iterations() * work);
    state.counters[kFastestCall] = fastest;
}

}  // namespace

Registry& registry() {
    static Registry r;
    return r;
}

std::string add_case(const Operation& op, const Setup& setup, const std::string& prefix) {
    const std::string name = prefix + op.label + "/" + setup.name();
    Registry& r = registry();
    if (r.work.count(name)) return name;
    const int64_t work = op.fixed_work ? op.fixed_work : setup.pixels();
    r.work[name] = work;
    auto* b = benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& state) {
        Prepared& p = prepared(name, op, setup);
        measure(state, *p.scene, p.call, work);
    });
    b->UseManualTime()->Unit(benchmark::kMillisecond);
    if (r.smoke) b->Iterations(1);
    return name;
}

Bandwidth add_bandwidth_cases(Size size) {
    const Setup setup{size, Content::kRandom, Backdrop::kOpaque, Inputs::kSourceOverBackdrop};
    Bandwidth names;
    names.memset =
        add_case({"memset", setup.inputs,
                  [](Scene& s) -> Call {
                      return [&s] { std::memset(Scene::block(s.dest_bitmap), 0x5a, s.bytes()); };
                  }},
                 setup);
    names.memcpy = add_case({"memcpy", setup.inputs,
                             [](Scene& s) -> Call {
                                 return [&s] {
                                     std::memcpy(Scene::block(s.dest_bitmap),
                                                 Scene::block(s.src_bitmap), s.bytes());
                                 };
                             }},
                            setup);
    return names;
}

}  // namespace bench
