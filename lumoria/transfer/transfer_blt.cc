// transfer_blt: a block transfer in one of the layering modes.
#include "lumoria.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/transfer/transfer_frame.h"
#include "lumoria/transfer/transfer_rows.h"

int32_t transfer_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
                     int32_t width, int32_t height, int32_t mode, int32_t opacity) {
    lumoria::ClippedTransfer t;
    if (!lumoria::clip_transfer({dest, src, dx, dy, sx, sy, width, height}, opacity == 0, t))
        return 0;
    const uint32_t layer_mode = static_cast<uint32_t>(mode);
    if (const lumoria::RowFunction row = lumoria::layer_row(layer_mode))
        lumoria::walk_rows(t, row, lumoria::fast_layer_row(layer_mode, opacity), opacity);
    return 1;
}
