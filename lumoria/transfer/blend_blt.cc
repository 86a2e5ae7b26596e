// blend_blt: a block transfer in one of the blend modes.
#include <cstdlib>
#include <ctime>

#include "lumoria.h"
#include "lumoria/transfer/modes.h"
#include "lumoria/transfer/transfer_frame.h"
#include "lumoria/transfer/transfer_rows.h"

int32_t blend_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
                  int32_t width, int32_t height, int32_t mode, int32_t opacity) {
    const uint32_t blend_mode = static_cast<uint32_t>(mode);
    const bool dissolve = blend_mode == lumoria::kDissolveMode;
    // Dissolve takes opacity 0 as a threshold, not as "draw nothing".
    lumoria::ClippedTransfer t;
    if (!lumoria::clip_transfer({dest, src, dx, dy, sx, sy, width, height},
                                opacity == 0 && !dissolve, t))
        return 0;
    // Reseeded at every dissolve, even one with nothing left to draw, so two
    // calls within the same second draw the same pattern.
    if (dissolve) std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (const lumoria::RowFunction row = lumoria::blend_row(blend_mode))
        lumoria::walk_rows(t, row, lumoria::fast_blend_row(blend_mode, opacity), opacity);
    return 1;
}
