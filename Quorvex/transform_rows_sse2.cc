// The Quorvex rows with SSE2, the baseline of every x86-64 CPU (and of the
// 32-bit build): four pixels a vector.
#include "Quorvex/transform_rows.h"

#if HOST_X86_VECTORS
#include <cstring>

#include "Quorvex/transform_rows_kernel.h"
#include "host/vector_sse2.h"

namespace quorvex {
namespace {

// The SSE2 vectors with the reads of source pixels. SSE2 cannot gather, so
// they are read one lane at a time.
struct Transforms : host::Sse2 {
    // The pixels at `offsets` from row 0 in the lanes of `mask`, 0 elsewhere.
    static U32 gather(const uint8_t* row0, I32 offsets, I32 mask) {
        alignas(16) uint8_t pixels[kBytes] = {};
        read_lanes(row0, offsets, mask, [&](int lane, const uint8_t* p) {
            std::memcpy(pixels + lane * host::kPixelBytes, p, host::kPixelBytes);
        });
        return load(pixels);
    }
    // Whether `test` holds in every lane of `mask`.
    static bool holds_in(I32 test, I32 mask) { return !any(mask & ~test); }
    // Likewise each pixel and the one to its right.
    struct Pair {
        U32 first, second;
    };
    static Pair gather_pairs(const uint8_t* row0, I32 offsets, I32 mask) {
        alignas(16) uint8_t first[kBytes] = {}, second[kBytes] = {};
        read_lanes(row0, offsets, mask, [&](int lane, const uint8_t* p) {
            std::memcpy(first + lane * host::kPixelBytes, p, host::kPixelBytes);
            std::memcpy(second + lane * host::kPixelBytes, p + host::kPixelBytes,
                        host::kPixelBytes);
        });
        return {load(first), load(second)};
    }

  private:
    // Calls read(lane, address) for each lane of `mask`.
    template <class Read>
    static void read_lanes(const uint8_t* row0, I32 offsets, I32 mask, Read read) {
        for (int lane = 0; lane < kPixels; ++lane) {
            if (!mask[lane]) continue;
            const uintptr_t address =
                reinterpret_cast<uintptr_t>(row0) +
                static_cast<uintptr_t>(static_cast<intptr_t>(offsets[lane])) * host::kPixelBytes;
            read(lane, reinterpret_cast<const uint8_t*>(address));
        }
    }
};

}  // namespace

const RowTransforms kSse2RowTransforms{vector_kernels::nearest_row<Transforms>,
                                       vector_kernels::bilinear_row<Transforms>};

}  // namespace quorvex
#endif
