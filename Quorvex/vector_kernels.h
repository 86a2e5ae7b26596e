// The Quorvex rows on vectors of destination pixels, written once for any
// vector width. `V` is an instruction set's traits type (see transform_sse2.cc
// and transform_avx2.cc): V::kLanes pixels a vector, one per 32-bit lane, as
// floats (V::Float) or integers (V::Int), and the operations on them. Each
// file defines its traits in an anonymous namespace, so every instantiation
// is private to the file that makes it and is compiled with that file's
// instruction set only.
//
// Each lane does the float arithmetic of map_pixel(), inside_source() and
// bilinear_pixel() in the same order, one IEEE single operation at a time
// (no fused multiply-add), so it gets the same floats; an int converts to
// float and a float truncates to int as a plain conversion does.
#pragma once

#include <cstdint>
#include <cstring>

#include "Quorvex/inverse_map.h"
#include "host/host_bitmap.h"

namespace quorvex::vector_kernels {

// The map and the source, splatted across the lanes, for one row.
template <class V>
struct RowLanes {
    using Float = typename V::Float;
    using Int = typename V::Int;

    Float a00, a10, a02, a12, dest_cx, src_cx, src_cy, src_width, src_height;
    Float row_x, row_y;
    Int width, height;    // of the source
    const uint8_t* row0;  // of the source

    RowLanes(const InverseMap& m, RowTerms row, const host::Surface& src)
        : a00(V::splat(m.a00)),
          a10(V::splat(m.a10)),
          a02(V::splat(m.a02)),
          a12(V::splat(m.a12)),
          dest_cx(V::splat(m.dest_cx)),
          src_cx(V::splat(m.src_cx)),
          src_cy(V::splat(m.src_cy)),
          src_width(V::splat(m.src_width)),
          src_height(V::splat(m.src_height)),
          row_x(V::splat(row.x)),
          row_y(V::splat(row.y)),
          width(V::splat(src.width)),
          height(V::splat(src.height)),
          row0(reinterpret_cast<const uint8_t*>(src.row0)) {}
};

// Where the destination pixels of columns `xs` land, and which of them land
// inside the source.
template <class V>
struct Landing {
    typename V::Float sx, sy;
    typename V::Int inside;
};

template <class V>
inline Landing<V> land(const RowLanes<V>& m, typename V::Int xs) {
    using Float = typename V::Float;
    const Float dx = V::sub(V::to_float(xs), m.dest_cx);
    const Float sx = V::add(V::add(V::add(V::mul(m.a00, dx), m.row_x), m.a02), m.src_cx);
    const Float sy = V::add(V::add(V::add(V::mul(m.a10, dx), m.row_y), m.a12), m.src_cy);
    const Float zero = V::splat(0.0f);
    return {sx, sy,
            V::bit_and(V::bit_and(V::at_least(sx, zero), V::below(sx, m.src_width)),
                       V::bit_and(V::at_least(sy, zero), V::below(sy, m.src_height)))};
}

// Source offsets, in pixels from row 0, of the pixels the lanes fall in.
template <class V>
inline typename V::Int offsets(const RowLanes<V>& m, typename V::Int x0, typename V::Int y0) {
    return V::sub(x0, V::mullo(y0, m.width));
}

template <class V>
inline typename V::Int nearest(const RowLanes<V>& m, const Landing<V>& at) {
    return V::gather(m.row0, offsets(m, V::truncate(at.sx), V::truncate(at.sy)), at.inside);
}

// The four neighbours of each lane's point: the pixel it falls in, the one
// to its right, the one below and the one below right.
template <class V>
struct Neighbours {
    typename V::Int p00, p10, p01, p11;
};

// The right neighbour is the last column's own pixel there, and the one below
// the last row's. Where every sampled lane has a column to its right, each
// pixel comes with its neighbour in one read of a pair.
template <class V>
inline Neighbours<V> neighbours(const RowLanes<V>& m, const Landing<V>& at, typename V::Int x0,
                                typename V::Int y0) {
    using Int = typename V::Int;
    // -1 where a column lies to the right, else 0; the source width where a
    // row lies below, else 0.
    const Int one = V::splat(int32_t{1});
    const Int right = V::greater(m.width, V::add(x0, one));
    const Int down = V::bit_and(V::greater(m.height, V::add(y0, one)), m.width);
    const Int at00 = offsets(m, x0, y0);
    const Int at01 = V::sub(at00, down);
    if (V::holds_in(right, at.inside)) {
        const auto top = V::gather_pairs(m.row0, at00, at.inside);
        const auto bottom = V::gather_pairs(m.row0, at01, at.inside);
        return {top.first, top.second, bottom.first, bottom.second};
    }
    return {V::gather(m.row0, at00, at.inside), V::gather(m.row0, V::sub(at00, right), at.inside),
            V::gather(m.row0, at01, at.inside), V::gather(m.row0, V::sub(at01, right), at.inside)};
}

// Every lane by the full formula: the shortcuts of bilinear_pixel() give the
// same bytes (a weight of exactly 1 or 0 changes nothing) and only save
// reads, and the neighbours read here all lie inside the source. With
// weights in [0, 1] each channel's value lies in [0, 256), so its
// truncation is already the byte stored.
template <class V>
inline typename V::Int bilinear(const RowLanes<V>& m, const Landing<V>& at) {
    using Float = typename V::Float;
    const typename V::Int x0 = V::truncate(at.sx);
    const typename V::Int y0 = V::truncate(at.sy);
    const Float fx = V::sub(at.sx, V::to_float(x0));
    const Float fy = V::sub(at.sy, V::to_float(y0));
    const Float gx = V::sub(V::splat(1.0f), fx);
    const Float gy = V::sub(V::splat(1.0f), fy);
    const Neighbours<V> n = neighbours(m, at, x0, y0);

    typename V::Int bytes[host::kPixelBytes];
    for (int k = 0; k < host::kPixelBytes; ++k) {
        const Float left =
            V::add(V::mul(V::channel(n.p00, k), gy), V::mul(V::channel(n.p01, k), fy));
        const Float right =
            V::add(V::mul(V::channel(n.p10, k), gy), V::mul(V::channel(n.p11, k), fy));
        bytes[k] = V::truncate(V::add(V::mul(left, gx), V::mul(right, fx)));
    }
    return V::pack_channels(bytes[0], bytes[1], bytes[2], bytes[3]);
}

// Fills a destination row a vector at a time with `sample(lanes, landing)`,
// keeping the old pixel in every lane that does not land inside. The last
// few pixels go through a copy, their lanes beyond the row masked off, so
// nothing outside the row is read or written.
template <class V, class Sample>
inline void transform_row(const RowLanes<V>& m, uint8_t* dest_row, int32_t dest_width,
                          Sample sample) {
    int32_t x = 0;
    typename V::Int xs = V::lane_numbers();
    const typename V::Int step = V::splat(V::kLanes);
    for (; dest_width - x >= V::kLanes; x += V::kLanes, xs = V::add(xs, step)) {
        const Landing<V> at = land(m, xs);
        if (!V::any(at.inside)) continue;
        const typename V::Int pixels = sample(m, at);
        uint8_t* out = dest_row + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        V::store(out, V::all(at.inside) ? pixels : V::select(at.inside, pixels, V::load(out)));
    }
    if (x == dest_width) return;
    Landing<V> at = land(m, xs);
    const int32_t remaining = dest_width - x;
    at.inside = V::bit_and(at.inside, V::greater(V::splat(remaining), V::lane_numbers()));
    if (!V::any(at.inside)) return;
    const typename V::Int pixels = sample(m, at);
    uint8_t* out = dest_row + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
    const size_t bytes = static_cast<size_t>(remaining) * host::kPixelBytes;
    alignas(32) uint8_t tail[V::kLanes * host::kPixelBytes] = {};
    std::memcpy(tail, out, bytes);
    V::store(tail, V::select(at.inside, pixels, V::load(tail)));
    std::memcpy(out, tail, bytes);
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
