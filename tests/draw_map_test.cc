// draw_map: the map's geometry and entry order, the tiles that ids name, the
// key filter, and which entries are read at all.
#include <climits>
#include <cstdint>
#include <vector>

#include "support.h"

namespace {

constexpr int32_t kNoKey = 7;

// A tileset of 8 x 2 tiles whose every pixel tells where it lies: blue and
// green the column (low byte, high byte), red the row, all opaque.
Bitmap position_tileset() {
    Bitmap t(256, 64);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 256; ++x)
            t.set(x, y, Pixel{uint8_t(x), uint8_t(x >> 8), uint8_t(y), 255});
    return t;
}

// True when the 32 x 32 block of dest at (dx, dy) is the tileset's block at
// (sx, sy), pixel for pixel.
bool shows_tile(const Bitmap& dest, int32_t dx, int32_t dy, const Bitmap& tileset, int32_t sx,
                int32_t sy) {
    for (int32_t j = 0; j < 32; ++j)
        for (int32_t i = 0; i < 32; ++i)
            if (dest.get(dx + i, dy + j) != tileset.get(sx + i, sy + j)) return false;
    return true;
}

bool blank(const Bitmap& b, int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    for (int32_t y = y0; y < y1; ++y)
        for (int32_t x = x0; x < x1; ++x)
            if (b.get(x, y) != Pixel{}) return false;
    return true;
}

struct Map {
    std::vector<int32_t> tiles, keys;
    int32_t dims[3];
};

// A map of `cells` cells and `layers` layers, every entry empty (id 0).
Map empty_map(int32_t cells, int32_t layers) {
    return Map{std::vector<int32_t>(cells * layers, 0),
               std::vector<int32_t>(cells * layers, 0),
               {-1, -1, layers}};
}

TEST(DrawMap, WholeCellsOnlyInColumnThenRowThenLayerOrder) {
    auto draw_map = LUMORIA(draw_map);
    const Bitmap tileset = position_tileset();
    Bitmap dest(100, 70);  // 3 x 2 cells, the rest of the bitmap is not drawn
    Map map = empty_map(6, 2);
    // Cell (cx, cy) is entry cx * 2 + cy; layer 1 covers layer 0.
    for (int32_t cell = 0; cell < 6; ++cell) {
        map.tiles[cell * 2] = 384 + 15;        // covered everywhere
        map.tiles[cell * 2 + 1] = 384 + cell;  // tile (cell, 0)
    }
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, 0));
    for (int32_t cx = 0; cx < 3; ++cx)
        for (int32_t cy = 0; cy < 2; ++cy)
            EXPECT_TRUE(shows_tile(dest, 32 * cx, 32 * cy, tileset, 32 * (cx * 2 + cy), 0))
                << cx << ", " << cy;
    EXPECT_TRUE(blank(dest, 96, 0, 100, 70));
    EXPECT_TRUE(blank(dest, 0, 64, 100, 70));
    EXPECT_TRUE(dest.intact());
}

TEST(DrawMap, IdsNameTilesEightToARowFrom384) {
    auto draw_map = LUMORIA(draw_map);
    const Bitmap tileset = position_tileset();
    struct Case {
        int32_t id, sx, sy;
    };
    const Case cases[] = {{384, 0, 0}, {391, 224, 0}, {392, 0, 32}, {397, 160, 32}};
    for (const Case& c : cases) {
        Bitmap dest(32, 32);
        Map map = empty_map(1, 1);
        map.tiles[0] = c.id;
        EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                             dest.handle(), 0, 0, 0));
        EXPECT_TRUE(shows_tile(dest, 0, 0, tileset, c.sx, c.sy)) << c.id;
    }
}

TEST(DrawMap, SkippedEntriesStillConsumeTheirPlace) {
    auto draw_map = LUMORIA(draw_map);
    const Bitmap tileset = position_tileset();
    Bitmap dest(64, 32);  // cells (0, 0) and (1, 0)
    Map map = empty_map(2, 3);
    map.tiles = {383, -1, INT32_MIN, 0, 386, 385};
    map.keys = {0, 0, 0, 0, 0, kNoKey};
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, 0));
    EXPECT_TRUE(blank(dest, 0, 0, 32, 32));
    EXPECT_TRUE(shows_tile(dest, 32, 0, tileset, 64, 0));

    // The entry skipped for its key is drawn by a pass with that key.
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, kNoKey));
    EXPECT_TRUE(shows_tile(dest, 32, 0, tileset, 32, 0));
    EXPECT_TRUE(blank(dest, 0, 0, 32, 32));
}

TEST(DrawMap, TilesAreBlendedOverWhatIsThere) {
    auto draw_map = LUMORIA(draw_map);
    Bitmap tileset(256, 32);  // tile 0 fully transparent, tile 1 opaque
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 32; x < 64; ++x) tileset.set(x, y, Pixel{50, 60, 70, 255});
    Bitmap dest(32, 32);
    dest.fill(Pixel{10, 200, 255, 255});
    Map map = empty_map(1, 1);
    map.tiles[0] = 384;
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, 0));
    EXPECT_EQ(dest.get(5, 5), (Pixel{10, 200, 255, 255}));
    map.tiles[0] = 385;
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, 0));
    EXPECT_EQ(dest.get(31, 31), (Pixel{50, 60, 70, 255}));
}

// Ids naming tiles past the tileset's last row are left to blt's clipping:
// nothing is drawn, however large the id.
TEST(DrawMap, TilesBeyondTheTilesetDrawNothing) {
    auto draw_map = LUMORIA(draw_map);
    const Bitmap tileset = position_tileset();
    Bitmap dest(32, 160);
    Map map = empty_map(5, 1);
    map.tiles = {384 + 16, 384 + 8 * 1000, INT32_MAX, INT32_MAX - 7, 384 + 8 * 67108863};
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, tileset.handle(), 0,
                         dest.handle(), 0, 0, 0));
    EXPECT_TRUE(blank(dest, 0, 0, 32, 160));
    EXPECT_TRUE(dest.intact());
    EXPECT_TRUE(tileset.intact());
}

// The arrays are not read at all where no entry is visited: null pointers
// show that.
TEST(DrawMap, NothingIsReadWithoutCellsOrLayers) {
    auto draw_map = LUMORIA(draw_map);
    const Bitmap tileset = position_tileset();
    Bitmap dest(64, 64);
    for (int32_t layers : {0, -1, INT32_MIN}) {
        const int32_t dims[3] = {2, 2, layers};
        EXPECT_TRUE(draw_map(nullptr, nullptr, dims, tileset.handle(), 0, dest.handle(), 0, 0, 0));
    }
    for (const auto& [w, h] : {std::pair{31, 64}, std::pair{64, 31}, std::pair{0, 0}}) {
        Bitmap small(w, h);
        EXPECT_TRUE(
            draw_map(nullptr, nullptr, nullptr, tileset.handle(), 0, small.handle(), 0, 0, 0));
        EXPECT_TRUE(small.intact());
    }
    EXPECT_TRUE(blank(dest, 0, 0, 64, 64));
}

TEST(DrawMap, Refusals) {
    auto draw_map = LUMORIA(draw_map);
    Bitmap none = Bitmap::without_surface();
    const Bitmap tileset = position_tileset();
    EXPECT_FALSE(draw_map(nullptr, nullptr, nullptr, tileset.handle(), 0, none.handle(), 0, 0, 0));
    EXPECT_TRUE(none.intact());

    // A tileset without a surface draws nothing; the map is still walked.
    Bitmap dest(64, 32);
    Map map = empty_map(2, 1);
    map.tiles = {384, 385};
    EXPECT_TRUE(draw_map(map.tiles.data(), map.keys.data(), map.dims, none.handle(), 0,
                         dest.handle(), 0, 0, 0));
    EXPECT_TRUE(blank(dest, 0, 0, 64, 32));
    EXPECT_TRUE(dest.intact());
}

}  // namespace
