// radial_blur: every pixel becomes the mean of a run of source pixels along
// the integer line from it to the centre of the surface.
#include "host/host_bitmap.h"
#include "lumoria.h"
#include "lumoria/effects/blur/blur_rows.h"

LUMORIA_BOOL radial_blur(int32_t dest, int32_t src, int32_t samples, int32_t /*reserved*/,
                         int32_t scaled) {
    lumoria::BlurFrame frame;
    const bool dest_has_surface = host::resolve(dest, frame.dest);
    const bool src_has_surface = host::resolve(src, frame.src);
    if (!dest_has_surface || !src_has_surface) return false;
    if (frame.dest.width != frame.src.width || frame.dest.height != frame.src.height) return false;
    if (frame.dest.width <= 0) return true;
    frame.cx = frame.dest.width / 2;
    frame.cy = frame.dest.height / 2;

    // A run of one pixel or none is the pixel itself, and even scaled runs
    // of one sample stay below two pixels: the pass is a plain copy, and a
    // copy onto itself changes nothing.
    if (samples <= 1) {
        if (frame.dest.row0 == frame.src.row0) return true;
        for (int32_t y = 0; y < frame.dest.height; ++y) lumoria::copy_row(frame, y);
        return true;
    }
    const lumoria::BlurRows& rows = lumoria::blur_rows_for(frame);
    const auto row = scaled > 0 ? rows.scaled : rows.fixed;
    for (int32_t y = 0; y < frame.dest.height; ++y) row(frame, y, samples);
    return true;
}
