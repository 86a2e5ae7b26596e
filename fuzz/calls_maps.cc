// Transitions, tile maps and splitting: transition_in, transition_out,
// draw_map and split_bitmap.
#include <algorithm>

#include "caller_memory.h"
#include "exports.h"
#include "groups.h"

namespace fuzz {
namespace {

constexpr int32_t kTileSize = 32;
constexpr int32_t kFirstTileId = 384;
// The most tile entries a drawn map may hold.
constexpr int64_t kMaxEntries = 4096;

void call_transition(Scene& s, Input& in, const char* name,
                     decltype(Exports::transition_in) Exports::*fn) {
    const int d = s.pick(in), m = s.pick(in);
    const int32_t progress = in.mostly(-300, 600), total = in.mostly(0, 500);
    const int32_t softness = in.mostly(-10, 300);
    const int32_t x = in.coordinate(), y = in.coordinate();
    // Only the alpha of the mask-sized region at (x, y) may change.
    const standin::Bitmap &dest = s.bitmap(d), &mask = s.bitmap(m);
    const int64_t cols = std::min(dest.width(), mask.width());
    const int64_t rows = std::min(dest.height(), mask.height());
    const Region under_mask{x, y, x + cols, y + rows};
    s.call(name, Result::kBoolean, {{d, Bytes::kAlpha, under_mask}}, fn, s.handle(d), s.handle(m),
           progress, total, softness, x, y);
}

void call_transition_in(Scene& s, Input& in) {
    call_transition(s, in, "transition_in", &Exports::transition_in);
}

void call_transition_out(Scene& s, Input& in) {
    call_transition(s, in, "transition_out", &Exports::transition_out);
}

// A tile id: none (below 384, negative), one of the tileset's or past it, or
// far out.
int32_t tile_id(Input& in) {
    switch (in.byte() % 4) {
        case 0: return in.mostly(-2, kFirstTileId - 1);
        case 1:
        case 2: return kFirstTileId + static_cast<int32_t>(in.below(81));
        default: return in.integer();
    }
}

void call_draw_map(Scene& s, Input& in) {
    const int tileset = s.pick(in), d = s.pick(in);
    const standin::Bitmap& dest = s.bitmap(d);
    // Cells of the map: none without a surface, and then no entry may be read.
    const int64_t cells = dest.has_surface() ? std::max(0, dest.width() / kTileSize) *
                                                   int64_t{std::max(0, dest.height() / kTileSize)}
                                             : 0;
    int32_t layers = in.mostly(-1, 4);
    if (cells > 0 && layers > kMaxEntries / cells)
        layers = static_cast<int32_t>(kMaxEntries / cells);
    const auto entries = static_cast<size_t>(cells * std::max(layers, 0));
    const int32_t key = in.mostly(-1, 2);
    CallerArray<int32_t> tiles(entries), keys(entries), dims(3);
    for (size_t n = 0; n < entries; ++n) {
        tiles.set(n, tile_id(in));
        keys.set(n, in.one_in(3) ? in.mostly(-1, 2) : key);
    }
    // Only the layer count, the third integer, is read.
    dims.set(2, layers);
    dims.forbid(2);
    if (tracing()) {
        std::string line = "tiles/keys:";
        for (size_t n = 0; n < entries; ++n)
            line += " " + std::to_string(tiles.get(n)) + "/" + std::to_string(keys.get(n));
        note(line + ", layers " + std::to_string(layers));
    }
    const int32_t ignored5 = in.integer(), ignored7 = in.integer(), ignored8 = in.integer();
    const auto tiles_before = tiles.bytes(), keys_before = keys.bytes();
    const auto layers_before = dims.bytes(2);
    s.call("draw_map", Result::kBoolean, {{d}}, &Exports::draw_map,
           static_cast<const int32_t*>(tiles.data()), static_cast<const int32_t*>(keys.data()),
           static_cast<const int32_t*>(dims.data()), s.handle(tileset), ignored5, s.handle(d),
           ignored7, ignored8, key);
    s.expect(tiles.bytes() == tiles_before && keys.bytes() == keys_before &&
                 dims.bytes(2) == layers_before,
             "it wrote to the caller's arrays");
}

void call_split_bitmap(Scene& s, Input& in) {
    const int src = s.pick(in), dest = s.pick(in);
    const int32_t step_y = in.small(-12, 12), step_x = in.small(-12, 12);
    s.call("split_bitmap", Result::kBoolean, {{src}, {dest}}, &Exports::split_bitmap, s.handle(src),
           s.handle(dest), step_y, step_x);
}

}  // namespace

Group<ExportCall> map_exports() {
    return {"maps",
            {
                EXPORT_CALL(transition_in),
                EXPORT_CALL(transition_out),
                EXPORT_CALL(draw_map),
                EXPORT_CALL(split_bitmap),
            }};
}

}  // namespace fuzz
