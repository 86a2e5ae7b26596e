// The records get_pixels writes, a band of rows at a time. Pixel (x, y) has
// record x * height + y, so a row's pixels land `height` records apart while
// a column's are contiguous: a band writes, for each column, one run of
// 16 bytes per row of the band, and the surface's rows it reads stay in
// cache. Used only where the records share no byte with the surface, since
// it reads and writes in another order than row by row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/cpu_features.h"
#include "host/host_bitmap.h"

namespace lumoria {

// The record of one pixel: red, green, blue, alpha, each widened to 32 bits.
// The pixel is read whole before the record is written, which may cover it.
inline void write_record(const uint8_t* pixel, int32_t* record) {
    uint8_t p[host::kPixelBytes];
    std::memcpy(p, pixel, sizeof p);
    const int32_t values[4] = {p[host::kRed], p[host::kGreen], p[host::kBlue], p[host::kAlpha]};
    std::memcpy(record, values, sizeof values);
}

// The first int of the record of pixel (x, y) of a surface `height` high.
inline int32_t* record_of(int32_t* out, int32_t x, int32_t y, int32_t height) {
    return out +
           (static_cast<size_t>(x) * static_cast<size_t>(height) + static_cast<size_t>(y)) * 4;
}

// Rows at most in one band.
constexpr int32_t kBandRows = 16;

// Writes the records of rows y0 .. y0 + count - 1 (count 1..kBandRows) of
// a surface of positive size, every column. With `stream`, the vector sets
// write the whole 64-byte lines they meet aligned past the caches: records
// far larger than the caches would otherwise be read into them first.
using RecordBand = void (*)(const host::Surface& surface, int32_t y0, int32_t count, int32_t* out,
                            bool stream);

// Whether a run of four records can be streamed: it fills one whole line.
inline bool fills_a_line(const int32_t* record) {
    return reinterpret_cast<uintptr_t>(record) % 64 == 0;
}

struct RecordRows {
    RecordBand band;
};

// A band walked in blocks of 4 x 4 pixels, for the vector sets: block(p,
// stride, record, step) writes the records of the 4 x 4 pixels whose top-left
// pixel is at p (each next row `stride` bytes lower), the top one of column
// j at record + j * step. Pixels outside whole blocks go one at a time.
template <class Block>
inline void band_by_blocks(const host::Surface& s, int32_t y0, int32_t count, int32_t* out,
                           Block block) {
    const int32_t whole_rows = count & ~3;
    const int32_t whole_columns = s.width & ~3;
    const size_t step = static_cast<size_t>(s.height) * 4;
    for (int32_t x = 0; x < whole_columns; x += 4)
        for (int32_t r = 0; r < whole_rows; r += 4)
            block(s.pixel(x, y0 + r), s.stride(), record_of(out, x, y0 + r, s.height), step);
    for (int32_t x = 0; x < s.width; ++x) {
        const int32_t first = x < whole_columns ? whole_rows : 0;
        for (int32_t y = y0 + first; y < y0 + count; ++y)
            write_record(s.pixel(x, y), record_of(out, x, y, s.height));
    }
}

// One record at a time; then 4 x 4 pixels at a time, transposed in SSE2
// registers or by one AVX-512 VBMI byte permute per column.
extern const RecordRows kPlainRecordRows;
#if HOST_X86_VECTORS
extern const RecordRows kSse2RecordRows;
extern const RecordRows kAvx512RecordRows;
#endif

extern const host::Variants<RecordRows> kRecordVariants;

}  // namespace lumoria
