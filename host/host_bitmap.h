// The engine's bitmap layout, shared by both libraries.
//
// A bitmap arrives as a handle. The engine object lives at handle * 2, and a
// fixed chain of 32-bit pointers leads from it to the surface size and the
// top row of pixels:
//
//   object + 16       -> host bitmap record
//   host bitmap + 8   -> surface info (null: the bitmap has no surface)
//   surface info + 8  -> surface header (width at +4, height at +8)
//   surface info + 12 -> row 0, the top row as shown by the engine
//
// Rows are stored bottom-up: row y starts width * 4 bytes below row y - 1.
// Pixels are four bytes, blue, green, red, alpha.
//
// Every record field is a 32-bit little-endian value. Pointers are 32-bit
// addresses, zero-extended on a 64-bit build (the engine keeps its records
// and pixels below 4 GiB). This is the only place that knows the layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/byte_range.h"

namespace host {

enum Channel : int { kBlue = 0, kGreen = 1, kRed = 2, kAlpha = 3 };
constexpr int kPixelBytes = 4;

namespace layout {
constexpr uintptr_t kObjectBitmap = 16;
constexpr uintptr_t kBitmapSurfaceInfo = 8;
constexpr uintptr_t kSurfaceInfoHeader = 8;
constexpr uintptr_t kSurfaceInfoRow0 = 12;
constexpr uintptr_t kHeaderWidth = 4;
constexpr uintptr_t kHeaderHeight = 8;
}  // namespace layout

// Reads a 32-bit field; memcpy because the engine promises no alignment.
inline uint32_t read_field(uintptr_t address) {
    uint32_t value;
    std::memcpy(&value, reinterpret_cast<const void*>(address), sizeof value);
    return value;
}

// A resolved surface. Address arithmetic is done on uintptr_t so that it
// wraps instead of overflowing; callers only form addresses inside the rows.
struct Surface {
    int32_t width = 0;
    int32_t height = 0;
    uintptr_t row0 = 0;

    uint8_t* row(int32_t y) const {
        return reinterpret_cast<uint8_t*>(row0 - static_cast<uintptr_t>(y) *
                                                     static_cast<uintptr_t>(width) * kPixelBytes);
    }
    uint8_t* pixel(int32_t x, int32_t y) const {
        return row(y) + static_cast<ptrdiff_t>(x) * kPixelBytes;
    }
    // Distance in bytes from one row to the next one down (rows run downwards
    // in memory, so callers subtract it).
    uintptr_t stride() const { return static_cast<uintptr_t>(width) * kPixelBytes; }
    // The bytes of the rows of a surface of positive size: from the first
    // byte of the bottom row up to just past the top row (rows that would
    // reach below address 0 are taken to start there).
    ByteRange bytes() const {
        const uint64_t row_bytes = uint64_t{static_cast<uint32_t>(width)} * kPixelBytes;
        const uint64_t below_top = uint64_t{static_cast<uint32_t>(height - 1)} * row_bytes;
        const uint64_t top = row0;
        return {top >= below_top ? top - below_top : 0, top + row_bytes};
    }
};

// Follows the chain from a handle. Returns false, and leaves `out` alone,
// when the bitmap has no surface; that is the only state ever tested.
inline bool resolve(int32_t handle, Surface& out) {
    const uint32_t object = static_cast<uint32_t>(handle) << 1;
    const uint32_t bitmap = read_field(uintptr_t{object} + layout::kObjectBitmap);
    const uint32_t info = read_field(uintptr_t{bitmap} + layout::kBitmapSurfaceInfo);
    if (info == 0) return false;
    const uint32_t header = read_field(uintptr_t{info} + layout::kSurfaceInfoHeader);
    out.row0 = read_field(uintptr_t{info} + layout::kSurfaceInfoRow0);
    out.width = static_cast<int32_t>(read_field(uintptr_t{header} + layout::kHeaderWidth));
    out.height = static_cast<int32_t>(read_field(uintptr_t{header} + layout::kHeaderHeight));
    return true;
}

}  // namespace host
