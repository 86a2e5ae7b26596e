// The frame shared by the four block transfers: resolving both bitmaps, the
// clipping of the two origins and the one size, and the walk over the rows.
#pragma once

#include <cstdint>

#include "host/host_bitmap.h"

namespace lumoria {

// Rewrites `width` destination pixels from as many source pixels, left to
// right, each destination pixel right after its source pixel is read (the two
// rows may be the same memory). `param` is the transfer's own argument,
// usually the opacity.
using RowFunction = void (*)(uint8_t* dest_row, const uint8_t* src_row, int32_t width,
                             int32_t param);

struct TransferArgs {
    int32_t dest, src, dx, dy, sx, sy, width, height;
};

// A transfer that passed its refusals, with its rectangle clipped to both
// surfaces. A width or height of 0 or below leaves nothing to draw.
struct ClippedTransfer {
    host::Surface dest, src;
    int32_t dx, dy, sx, sy, width, height;
};

// Resolves `dest` (no surface: refused), then refuses when `refuse` is set
// (the transfer's own test, made before any size is read), resolves `src`
// (no surface: refused) and clips. A negative size from the caller is refused
// too. Returns false when refused; nothing has been written either way.
bool clip_transfer(const TransferArgs& args, bool refuse, ClippedTransfer& out);

// The clipping of clip_transfer on surfaces already in `t`: fills in the
// rectangle, or returns false for a negative size.
bool clip_on_surfaces(int32_t dx, int32_t dy, int32_t sx, int32_t sy, int32_t width, int32_t height,
                      ClippedTransfer& t);

// Calls a row function for each row of the clipped rectangle, top row first:
// `fast` (if not null) where it gives the bytes of `plain`, that is unless
// the destination row starts inside the source row, right of its start,
// where the walk reads pixels it has written itself. Where the two
// rectangles share no byte, the order of the rows changes nothing, and
// `fast` takes them in the order of their addresses.
void walk_rows(const ClippedTransfer& t, RowFunction plain, RowFunction fast, int32_t param);

}  // namespace lumoria
