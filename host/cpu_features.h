// Which vector instructions the running CPU offers, for the libraries' fast
// paths. Asked at every call, never remembered by the libraries: the answer
// is a few loads from the compiler runtime's own record of the CPU, filled
// once by the runtime (the init call below returns at once after that).
#pragma once

// Whether this build may carry x86 vector code (and the processor's string
// store). The plain build, HOST_PLAIN_BUILD, keeps only the plain rows: it
// exists to hold the fast paths against, export by export.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__i386__)) && !defined(HOST_PLAIN_BUILD)
#define HOST_X86_VECTORS 1
#else
#define HOST_X86_VECTORS 0
#endif

namespace host {

inline bool cpu_has_avx2() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

// AVX-512 with its byte instructions and the two-table byte permute.
inline bool cpu_has_avx512_vbmi() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
#else
    return false;
#endif
}

}  // namespace host
