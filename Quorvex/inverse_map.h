// The mapping from destination pixels back into the source.
//
// The caller's matrix maps a point measured from the source centre to a point
// measured from the destination centre. Each destination pixel is instead
// mapped backwards, through the first two rows of the matrix's inverse, and
// sampled where it lands. Everything is 32-bit float with each product and
// sum rounded on its own in the order written: the bilinear bytes depend on
// it, and must be the same on every build.
#pragma once

#include <cstdint>

namespace quorvex {

struct InverseMap {
    float a00, a01, a02;  // source x = a00 * dx + a01 * dy + a02
    float a10, a11, a12;  // source y = a10 * dx + a11 * dy + a12
    float dest_cx, dest_cy;
    float src_cx, src_cy;
    float src_width, src_height;  // the source size as floats, for the bounds test
};

// Reads the nine floats of `matrix` (row-major) and derives the map for the
// given sizes. A singular matrix gives infinite or NaN coefficients, which no
// point survives in inside_source().
InverseMap make_inverse_map(const float* matrix, int32_t src_width, int32_t src_height,
                            int32_t dest_width, int32_t dest_height);

// The terms of a destination row that depend on y alone.
struct RowTerms {
    float x, y;  // a01 * dy and a11 * dy
};

inline RowTerms row_terms(const InverseMap& m, int32_t y) {
    const float dy = static_cast<float>(y) - m.dest_cy;
    return {m.a01 * dy, m.a11 * dy};
}

struct SourcePoint {
    float x, y;
};

// Where destination pixel x of a row lands in the source.
inline SourcePoint map_pixel(const InverseMap& m, RowTerms row, int32_t x) {
    const float dx = static_cast<float>(x) - m.dest_cx;
    return {((m.a00 * dx + row.x) + m.a02) + m.src_cx, ((m.a10 * dx + row.y) + m.a12) + m.src_cy};
}

// Lower bounds inclusive, upper ones strict. A NaN fails every comparison. A
// point that passes truncates to a pixel inside the source.
inline bool inside_source(const InverseMap& m, SourcePoint p) {
    return p.x >= 0.0f && p.x < m.src_width && p.y >= 0.0f && p.y < m.src_height;
}

}  // namespace quorvex
