// Which vector instructions the running CPU offers, and the one way the
// libraries pick a fast path from them. Asked at every call, never
// remembered by the libraries: the answer is a few loads from the compiler
// runtime's own record of the CPU, filled once by the runtime (the init call
// below returns at once after that).
#pragma once

// Whether this build may carry x86 vector code (and the processor's string
// store). The plain build, HOST_PLAIN_BUILD, keeps only the plain rows: it
// exists to hold the fast paths against, export by export.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__)) && !defined(HOST_PLAIN_BUILD)
#define HOST_X86_VECTORS 1
#define HOST_IF_X86_VECTORS(x) (x)
#else
#define HOST_X86_VECTORS 0
#define HOST_IF_X86_VECTORS(x) nullptr
#endif

namespace host {

// Whether this is the plain build, which also keeps the literal walks where
// the shipped build takes a shorter way to the same bytes.
#ifdef HOST_PLAIN_BUILD
constexpr bool kPlainBuild = true;
#else
constexpr bool kPlainBuild = false;
#endif

// The instruction set levels the rows are written for, each including the
// ones before it. AVX-512 stands for the parts the rows use: F, BW, VL and
// the byte permutes of VBMI.
enum VectorLevel : int { kPlainLevel, kSse2Level, kAvx2Level, kAvx512Level, kVectorLevels };

constexpr const char* kLevelNames[kVectorLevels] = {"plain", "sse2", "avx2", "avx512"};

// The highest level this build carries and this CPU runs.
inline VectorLevel cpu_vector_level() {
#if HOST_X86_VECTORS
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx2")) return kSse2Level;
    const bool avx512 = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi");
    return avx512 ? kAvx512Level : kAvx2Level;
#else
    return kPlainLevel;
#endif
}

// A row family's variants, one entry per level: the plain rows first, then
// the vector sets; an empty entry leaves the level to the set below it. The
// libraries pick from these tables only, and the tests, the fuzzer and the
// benchmark walk the same tables, so a new set is checked as soon as it is
// entered here.
template <class Rows>
struct Variants {
    const Rows* at_level[kVectorLevels];

    // The set a CPU of `level` runs.
    const Rows& for_level(int level) const {
        while (!at_level[level]) --level;
        return *at_level[level];
    }
    const Rows& for_this_cpu() const { return for_level(cpu_vector_level()); }

    // Calls visit(name, rows) for every set this CPU runs, the plain one first.
    template <class Visit>
    void each_on_this_cpu(Visit visit) const {
        const int top = cpu_vector_level();
        for (int level = 0; level <= top; ++level)
            if (at_level[level]) visit(kLevelNames[level], *at_level[level]);
    }
};

}  // namespace host
