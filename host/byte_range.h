// Runs of bytes in memory and whether two of them meet: the one test of
// whether a shortcut that reads one run while writing another may be taken.
#pragma once

#include <cstdint>

namespace host {

// The bytes [begin, end) of memory. In 64 bits, so that no bound wraps on a
// 32-bit build.
struct ByteRange {
    uint64_t begin, end;
};

// Whether the two ranges share a byte.
inline bool ranges_meet(const ByteRange& a, const ByteRange& b) {
    return a.begin < b.end && b.begin < a.end;
}

}  // namespace host
