#include "lumoria/maps/transition_rows.h"

namespace lumoria {
namespace {

template <typename PixelRule>
inline void for_each_pair(uint8_t* dest, const uint8_t* mask, int32_t count, PixelRule rule) {
    for (int32_t j = 0; j < count; ++j, dest += host::kPixelBytes, mask += host::kPixelBytes)
        rule(dest, mask[host::kRed]);
}

}  // namespace

// The rules capture the frame by value, so that storing an alpha byte does
// not force it to be reloaded.
void transition_in_row(uint8_t* dest, const uint8_t* mask, int32_t count,
                       const TransitionFrame& frame) {
    for_each_pair(dest, mask, count,
                  [frame](uint8_t* d, uint8_t m) { transition_in_pixel(d, m, frame); });
}

void transition_out_row(uint8_t* dest, const uint8_t* mask, int32_t count,
                        const TransitionFrame& frame) {
    for_each_pair(dest, mask, count,
                  [frame](uint8_t* d, uint8_t m) { transition_out_pixel(d, m, frame); });
}

}  // namespace lumoria
