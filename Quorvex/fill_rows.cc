#include "Quorvex/fill_rows.h"

#include "host/host_bitmap.h"

namespace quorvex {
namespace {

void fill_row(uint8_t* row, int32_t width, uint32_t colour) {
    uint8_t bytes[host::kPixelBytes];
    for (int k = 0; k < host::kPixelBytes; ++k) bytes[k] = static_cast<uint8_t>(colour >> (8 * k));
    for (int32_t x = 0; x < width; ++x) {
        uint8_t* pixel = row + static_cast<ptrdiff_t>(x) * host::kPixelBytes;
        pixel[host::kBlue] = bytes[host::kBlue];
        pixel[host::kGreen] = bytes[host::kGreen];
        pixel[host::kRed] = bytes[host::kRed];
    }
}

}  // namespace

const FillRows kPlainFillRows{fill_row};

const host::Variants<FillRows> kFillVariants{{
    &kPlainFillRows,
    HOST_IF_X86_VECTORS(&kSse2FillRows),
    HOST_IF_X86_VECTORS(&kAvx2FillRows),
    nullptr,
}};

}  // namespace quorvex
