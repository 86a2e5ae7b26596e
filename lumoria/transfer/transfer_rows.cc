// The block transfers' row sets, and the pick of a vector twin for the CPU at
// hand, asking it at every call.
#include "lumoria/transfer/transfer_rows.h"

#include <cstring>

#include "lumoria/transfer/alpha_over.h"

namespace lumoria {

const TransferRows kPlainTransferRows{alpha_over_row, kPlainBlendRows.data(),
                                      kPlainLayerRows.data()};

const host::Variants<TransferRows> kTransferVariants{{
    &kPlainTransferRows,
    HOST_IF_X86_VECTORS(&kSse2TransferRows),
    HOST_IF_X86_VECTORS(&kAvx2TransferRows),
    HOST_IF_X86_VECTORS(&kAvx512TransferRows),
}};

void move_row(uint8_t* dest, const uint8_t* src, int32_t width, int32_t) {
    std::memmove(dest, src, static_cast<size_t>(width) * host::kPixelBytes);
}

namespace {

// The vector rows reproduce the plain arithmetic for opacities 1..255 only;
// outside that range the 32-bit wrapping is left to the plain rows.
const TransferRows* vector_rows_for(int32_t opacity) {
    if (opacity < 1 || opacity > 255) return nullptr;
    const TransferRows& rows = kTransferVariants.for_this_cpu();
    return &rows == &kPlainTransferRows ? nullptr : &rows;
}

}  // namespace

RowFunction fast_over_row(int32_t opacity) {
    const TransferRows* rows = vector_rows_for(opacity);
    return rows ? rows->over : nullptr;
}

RowFunction fast_blend_row(uint32_t mode, int32_t opacity) {
    const TransferRows* rows = vector_rows_for(opacity);
    return rows && mode < kBlendModes ? rows->blend[mode] : nullptr;
}

RowFunction fast_layer_row(uint32_t mode, int32_t opacity) {
    // Replacing at full opacity gives each pixel its source alpha
    // (alpha * 255 / 255): a copy.
    if (HOST_X86_VECTORS && mode == static_cast<uint32_t>(LayerMode::kReplace) && opacity == 255)
        return move_row;
    const TransferRows* rows = vector_rows_for(opacity);
    return rows && mode < kLayerModes ? rows->layer[mode] : nullptr;
}

}  // namespace lumoria
