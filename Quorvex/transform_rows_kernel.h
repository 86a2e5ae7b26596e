// The Quorvex rows on vectors of destination pixels, written once for any
// vector width. `V` is an instruction set of host/vector_*.h with the reads
// of source pixels added (see transform_rows_<set>.cc): V::kPixels pixels a
// vector, one per 32-bit lane, as
// floats (V::F32) or integers (V::I32). Each file defines it in an anonymous
// namespace, so every instantiation is private to the file that makes it and
// is compiled with that file's instruction set only.
//
// Each lane does the float arithmetic of map_pixel(), inside_source() and
// bilinear_pixel() in the same order, one IEEE single operation at a time
// (no fused multiply-add), so it gets the same floats; an int converts to
// float and a float truncates to int as a plain conversion does.
#pragma once

#include <cstdint>

#include "Quorvex/inverse_map.h"
#include "host/host_bitmap.h"
#include "host/vector_row.h"

namespace quorvex::vector_kernels {

// The map and the source, splatted across the lanes, for one row.
template <class V>
struct RowLanes {
    using Float = typename V::F32;
    using Int = typename V::I32;

    Float a00, a10, a02, a12, dest_cx, src_cx, src_cy, src_width, src_height;
    Float row_x, row_y;
    Int width, height;    // of the source
    const uint8_t* row0;  // of the source

    RowLanes(const InverseMap& m, RowTerms row, const host::Surface& src)
        : a00(V::splat_f32(m.a00)),
          a10(V::splat_f32(m.a10)),
          a02(V::splat_f32(m.a02)),
          a12(V::splat_f32(m.a12)),
          dest_cx(V::splat_f32(m.dest_cx)),
          src_cx(V::splat_f32(m.src_cx)),
          src_cy(V::splat_f32(m.src_cy)),
          src_width(V::splat_f32(m.src_width)),
          src_height(V::splat_f32(m.src_height)),
          row_x(V::splat_f32(row.x)),
          row_y(V::splat_f32(row.y)),
          width(V::splat_i32(src.width)),
          height(V::splat_i32(src.height)),
          row0(reinterpret_cast<const uint8_t*>(src.row0)) {}
};

// Where the destination pixels of columns `xs` land, and which of them land
// inside the source.
template <class V>
struct Landing {
    typename V::F32 sx, sy;
    typename V::I32 inside;
};

template <class V>
inline Landing<V> land(const RowLanes<V>& m, typename V::I32 xs) {
    using Float = typename V::F32;
    const Float dx = V::to_floats(xs) - m.dest_cx;
    const Float sx = ((m.a00 * dx + m.row_x) + m.a02) + m.src_cx;
    const Float sy = ((m.a10 * dx + m.row_y) + m.a12) + m.src_cy;
    return {sx, sy, ((sx >= 0.0f) & (sx < m.src_width)) & ((sy >= 0.0f) & (sy < m.src_height))};
}

// a - b, wrapping: lanes that land outside hold any offset, and are not read.
template <class V>
inline typename V::I32 minus(typename V::I32 a, typename V::I32 b) {
    using U32 = typename V::U32;
    return (typename V::I32)((U32)a - (U32)b);
}

// Source offsets, in pixels from row 0, of the pixels the lanes fall in.
template <class V>
inline typename V::I32 offsets(const RowLanes<V>& m, typename V::I32 x0, typename V::I32 y0) {
    using U32 = typename V::U32;
    return minus<V>(x0, (typename V::I32)((U32)y0 * (U32)m.width));
}

template <class V>
inline typename V::U32 nearest(const RowLanes<V>& m, const Landing<V>& at) {
    return V::gather(m.row0, offsets(m, V::truncate(at.sx), V::truncate(at.sy)), at.inside);
}

// The four neighbours of each lane's point: the pixel it falls in, the one
// to its right, the one below and the one below right.
template <class V>
struct Neighbours {
    typename V::U32 p00, p10, p01, p11;
};

// The right neighbour is the last column's own pixel there, and the one below
// the last row's. Where every sampled lane has a column to its right, each
// pixel comes with its neighbour in one read of a pair.
template <class V>
inline Neighbours<V> neighbours(const RowLanes<V>& m, const Landing<V>& at, typename V::I32 x0,
                                typename V::I32 y0) {
    using Int = typename V::I32;
    // -1 where a column lies to the right, else 0; the source width where a
    // row lies below, else 0.
    const Int right = m.width > x0 + 1;
    const Int down = (m.height > y0 + 1) & m.width;
    const Int at00 = offsets(m, x0, y0);
    const Int at01 = minus<V>(at00, down);
    if (V::holds_in(right, at.inside)) {
        const auto top = V::gather_pairs(m.row0, at00, at.inside);
        const auto bottom = V::gather_pairs(m.row0, at01, at.inside);
        return {top.first, top.second, bottom.first, bottom.second};
    }
    return {V::gather(m.row0, at00, at.inside), V::gather(m.row0, minus<V>(at00, right), at.inside),
            V::gather(m.row0, at01, at.inside),
            V::gather(m.row0, minus<V>(at01, right), at.inside)};
}

// Every lane by the full formula: the shortcuts of bilinear_pixel() give the
// same bytes (a weight of exactly 1 or 0 changes nothing) and only save
// reads, and the neighbours read here all lie inside the source. With
// weights in [0, 1] each channel's value lies in [0, 256), so its
// truncation is already the byte stored.
template <class V>
inline typename V::U32 bilinear(const RowLanes<V>& m, const Landing<V>& at) {
    using Float = typename V::F32;
    const typename V::I32 x0 = V::truncate(at.sx);
    const typename V::I32 y0 = V::truncate(at.sy);
    const Float fx = at.sx - V::to_floats(x0);
    const Float fy = at.sy - V::to_floats(y0);
    const Float gx = 1.0f - fx;
    const Float gy = 1.0f - fy;
    const Neighbours<V> n = neighbours(m, at, x0, y0);
    const auto channel = [](typename V::U32 pixels, int k) {
        return V::to_floats(V::widen_8_to_32(pixels, k));
    };

    typename V::I32 bytes[host::kPixelBytes];
    for (int k = 0; k < host::kPixelBytes; ++k) {
        const Float left = channel(n.p00, k) * gy + channel(n.p01, k) * fy;
        const Float right = channel(n.p10, k) * gy + channel(n.p11, k) * fy;
        bytes[k] = V::truncate(left * gx + right * fx);
    }
    return V::pack_32_to_8_by_channel(bytes[0], bytes[1], bytes[2], bytes[3]);
}

// Fills a destination row a vector at a time with `sample(lanes, landing)`,
// keeping the old pixel in every lane that does not land inside, or that
// lies beyond the row's end.
template <class V, class Sample>
inline void transform_row(const RowLanes<V>& m, uint8_t* dest_row, int32_t dest_width,
                          Sample sample) {
    host::each_vector<V>(
        dest_width,
        dest_row, [&](int32_t x, int32_t pixels, uint8_t * out) __attribute__((always_inline)) {
            Landing<V> at = land(m, V::splat_i32(x) + V::lane_numbers());
            if (pixels < V::kPixels) at.inside &= V::splat_i32(pixels) > V::lane_numbers();
            if (!V::any(at.inside)) return;
            const typename V::U32 sampled = sample(m, at);
            V::store(out,
                     V::all(at.inside) ? sampled : V::select(at.inside, sampled, V::load(out)));
        });
}

template <class V>
void nearest_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                 int32_t dest_width) {
    transform_row<V>(RowLanes<V>(map, row, src), dest_row, dest_width,
                     [](const RowLanes<V>& m, const Landing<V>& at) { return nearest(m, at); });
}

template <class V>
void bilinear_row(const InverseMap& map, RowTerms row, const host::Surface& src, uint8_t* dest_row,
                  int32_t dest_width) {
    transform_row<V>(RowLanes<V>(map, row, src), dest_row, dest_width,
                     [](const RowLanes<V>& m, const Landing<V>& at) { return bilinear(m, at); });
}

}  // namespace quorvex::vector_kernels
