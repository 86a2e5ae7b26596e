// draw_map: a layered tile map drawn onto a bitmap in cells of 32 x 32
// pixels, every tile with blt from the tileset, as the host would draw it.
#include <algorithm>
#include <cstdint>

#include "host/host_bitmap.h"
#include "lumoria.h"

namespace lumoria {
namespace {

constexpr int32_t kTileSize = 32;
constexpr int32_t kTilesPerRow = 8;  // 256 pixels of tileset per row of tiles
constexpr int32_t kFirstTileId = 384;

// Where tile `id` (>= kFirstTileId) lies in the tileset. A tile row too far
// down for 32 bits lies below any tileset; it is given as INT32_MAX, which
// blt clamps to the tileset's height just like the true value.
struct TileOrigin {
    int32_t x, y;
};

TileOrigin tile_origin(int32_t id) {
    const int32_t number = id - kFirstTileId;
    const int64_t y = int64_t{number / kTilesPerRow} * kTileSize;
    return TileOrigin{number % kTilesPerRow * kTileSize,
                      static_cast<int32_t>(std::min<int64_t>(y, INT32_MAX))};
}

}  // namespace
}  // namespace lumoria

LUMORIA_BOOL draw_map(const int32_t* tiles, const int32_t* keys, const int32_t* dims,
                      int32_t tileset, int32_t, int32_t dest, int32_t, int32_t, int32_t key) {
    using namespace lumoria;
    host::Surface surface;
    if (!host::resolve(dest, surface)) return false;
    const int32_t columns = surface.width / kTileSize;
    const int32_t rows = surface.height / kTileSize;
    // The layer count is read only when there is a cell to draw; no layers,
    // or a negative count, reads no entry.
    if (columns <= 0 || rows <= 0) return true;
    const int32_t layers = dims[2];
    if (layers <= 0) return true;
    // Entries run column by column, then row by row, the layer fastest.
    const int32_t* tile = tiles;
    const int32_t* tile_key = keys;
    for (int32_t cx = 0; cx < columns; ++cx) {
        for (int32_t cy = 0; cy < rows; ++cy) {
            for (int32_t l = 0; l < layers; ++l, ++tile, ++tile_key) {
                if (*tile_key != key || *tile < kFirstTileId) continue;
                const TileOrigin from = tile_origin(*tile);
                ::blt(dest, tileset, cx * kTileSize, cy * kTileSize, from.x, from.y, kTileSize,
                      kTileSize, 255);
            }
        }
    }
    return true;
}
