// Picks the vector rows for the CPU at hand, asking it at every call.
#include "lumoria/transfer/vector_rows.h"

#include "host/cpu_features.h"

namespace lumoria {
namespace {

const VectorRows* rows_for_this_cpu() {
#if HOST_X86_VECTORS
    return host::cpu_has_avx2() ? &avx2::kRows : &sse2::kRows;
#else
    return nullptr;
#endif
}

// The vector rows reproduce the plain arithmetic for opacities 1..255 only;
// outside that range the 32-bit wrapping is left to the plain rows.
const VectorRows* rows_for(int32_t opacity) {
    return opacity >= 1 && opacity <= 255 ? rows_for_this_cpu() : nullptr;
}

}  // namespace

RowFunction fast_over_row(int32_t opacity) {
    const VectorRows* rows = rows_for(opacity);
    return rows ? rows->over : nullptr;
}

RowFunction fast_blend_row(uint32_t mode, int32_t opacity) {
    const VectorRows* rows = rows_for(opacity);
    return rows && mode < sizeof rows->blend / sizeof rows->blend[0] ? rows->blend[mode] : nullptr;
}

RowFunction fast_layer_row(uint32_t mode, int32_t opacity) {
    // Replacing at full opacity gives each pixel its source alpha
    // (alpha * 255 / 255): a copy.
    constexpr uint32_t kReplace = 1;
    if (HOST_X86_VECTORS && mode == kReplace && opacity == 255) return move_row;
    const VectorRows* rows = rows_for(opacity);
    return rows && mode < sizeof rows->layer / sizeof rows->layer[0] ? rows->layer[mode] : nullptr;
}

}  // namespace lumoria
