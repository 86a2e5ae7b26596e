// Trace lines, printed to stderr when FUZZ_TRACE is set: to see which call a
// sanitizer report comes from, run the input again with it.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

inline bool tracing() {
    static const bool on = std::getenv("FUZZ_TRACE") != nullptr;
    return on;
}

inline void note(const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); }

}  // namespace fuzz
