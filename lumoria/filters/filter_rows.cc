#include "lumoria/filters/filter_rows.h"

namespace lumoria {
namespace {

template <typename PixelRule>
inline void for_each_pixel(uint8_t* pixels, int32_t width, PixelRule rule) {
    uint8_t* p = pixels;
    for (int32_t x = 0; x < width; ++x, p += host::kPixelBytes) rule(p);
}

}  // namespace

// The rules capture their arguments by value: through a reference, every
// byte stored would force them to be reloaded from memory.
void tint_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    for_each_pixel(pixels, width, [mix](uint8_t* p) { tint_pixel(p, mix); });
}

void colorize_row(uint8_t* pixels, int32_t width, const ColourMix& mix) {
    for_each_pixel(pixels, width, [mix](uint8_t* p) { colorize_pixel(p, mix); });
}

void grey_row(uint8_t* pixels, int32_t width) { for_each_pixel(pixels, width, grey_pixel); }

void grayscale_row(uint8_t* pixels, int32_t width, int32_t amount) {
    for_each_pixel(pixels, width, [amount](uint8_t* p) { grayscale_pixel(p, amount); });
}

void negative_row(uint8_t* pixels, int32_t width) { for_each_pixel(pixels, width, negative_pixel); }

void lookup_colour_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    for_each_pixel(pixels, width, [bytes](uint8_t* p) { lookup_colour_pixel(p, bytes); });
}

void lookup_all_row(uint8_t* pixels, int32_t width, const uint8_t* bytes) {
    for_each_pixel(pixels, width, [bytes](uint8_t* p) {
        lookup_colour_pixel(p, bytes);
        p[host::kAlpha] = bytes[p[host::kAlpha]];
    });
}

const FilterRows kPlainFilterRows{tint_row,     colorize_row,      grey_row,      grayscale_row,
                                  negative_row, lookup_colour_row, lookup_all_row};

const host::Variants<FilterRows> kFilterVariants{{
    &kPlainFilterRows,
    HOST_IF_X86_VECTORS(&kSse2FilterRows),
    HOST_IF_X86_VECTORS(&kAvx2FilterRows),
    HOST_IF_X86_VECTORS(&kAvx2VbmiFilterRows),
}};

}  // namespace lumoria
