#include "twins.h"

#include <iterator>

namespace fuzz {

std::vector<uint8_t> random_pixels(size_t pixels, uint32_t seed) {
    uint32_t state = seed * 2654435761u + 1;
    auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    std::vector<uint8_t> bytes(pixels * 4);
    for (uint8_t& b : bytes) {
        const uint32_t r = next();
        b = r % 4 == 0 ? 0 : r % 4 == 1 ? 255 : static_cast<uint8_t>(r >> 24);
    }
    return bytes;
}

int32_t row_width(Input& in) {
    static constexpr int32_t kAtVectorEdges[] = {0,  1,  2,  3,  4,  5,  7,  8,  9,
                                                 15, 16, 17, 31, 32, 33, 63, 64, 65};
    if (in.one_in(2)) return kAtVectorEdges[in.below(std::size(kAtVectorEdges))];
    return static_cast<int32_t>(in.below(in.one_in(4) ? 300 : 40));
}

host::Surface surface_in(uint8_t* block, int32_t width, int32_t height) {
    const uintptr_t row0 = reinterpret_cast<uintptr_t>(block) +
                           static_cast<uintptr_t>(height - 1) * static_cast<uintptr_t>(width) * 4;
    return host::Surface{width, height, row0};
}

size_t row_misalignment(Input& in) { return in.one_in(2) ? 0 : in.below(16); }

Blocks::Blocks(const std::vector<std::vector<uint8_t>>& contents, size_t misalign) {
    for (const std::vector<uint8_t>& c : contents) {
        blocks_.push_back(std::make_unique<CallerArray<uint8_t>>(c.size(), misalign));
        for (size_t i = 0; i < c.size(); ++i) blocks_.back()->set(i, c[i]);
    }
}

std::vector<uint8_t> Blocks::contents() const {
    std::vector<uint8_t> out;
    for (const auto& b : blocks_)
        for (size_t i = 0; i < b->size(); ++i) out.push_back(b->get(i));
    return out;
}

RowPairLayout::RowPairLayout(Input& in, int32_t width) {
    const size_t w = static_cast<size_t>(width);
    const uint32_t seed = in.u32();
    dest_block = src_block = dest_offset = src_offset = 0;
    switch (in.byte() % 4) {
        case 0:  // one row read and written in place
            contents = {random_pixels(w, seed)};
            break;
        case 1: {  // overlapping, the destination behind or ahead of the source
            const size_t shift = 1 + in.below(8);
            contents = {random_pixels(w + shift, seed)};
            (in.one_in(2) ? dest_offset : src_offset) = 4 * shift;
            break;
        }
        default:  // two bitmaps
            contents = {random_pixels(w, seed), random_pixels(w, seed + 1)};
            src_block = 1;
            break;
    }
}

}  // namespace fuzz
