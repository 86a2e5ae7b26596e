// The order of a walk over rows whose bytes do not depend on it: rows that
// read and write only their own pixels, or bitmaps that share no byte.
// Rows are stored bottom-up, so the top row first means falling addresses
// from one row to the next, which CPUs prefetch poorly; the bottom row first
// makes one rising stream. The plain build keeps the literal order, top row
// first.
#pragma once

#include "host/cpu_features.h"

namespace host {

// Calls each(y) once for every y from first to end - 1.
template <typename Index, typename Each>
void each_row_rising(Index first, Index end, Each each) {
    if (kPlainBuild) {
        for (Index y = first; y < end; ++y) each(y);
        return;
    }
    for (Index y = end; y > first;) each(--y);
}

}  // namespace host
