// transfer_blt: the four layering modes against their worked examples and
// their treatment of the destination's alpha.
#include <climits>

#include "transfer_support.h"

namespace {

using transfer_support::layered;

const Pixel kSource{100, 50, 250, 255};

Pixel dest_with_alpha(uint8_t a) { return {40, 128, 200, a}; }

struct Row {
    uint8_t dest_alpha;
    int32_t mode;
    Pixel full, half;  // at opacity 255 and at opacity 128 (e = 128)
};

const Row kTable[] = {
    {255, 0, {100, 50, 250, 255}, {69, 88, 224, 255}},
    {255, 1, {100, 50, 250, 255}, {100, 50, 250, 128}},
    {255, 2, {100, 50, 250, 255}, {70, 88, 225, 255}},
    {255, 3, {40, 128, 200, 255}, {40, 128, 200, 255}},
    {100, 0, {100, 50, 250, 255}, {69, 88, 224, 164}},
    {100, 1, {100, 50, 250, 255}, {100, 50, 250, 128}},
    {100, 2, {100, 50, 250, 100}, {70, 88, 225, 100}},
    {100, 3, {76, 80, 230, 255}, {54, 90, 193, 177}},
    {0, 0, {100, 50, 250, 255}, {100, 50, 250, 128}},
    {0, 1, {100, 50, 250, 255}, {100, 50, 250, 128}},
    {0, 2, {40, 128, 200, 0}, {40, 128, 200, 0}},
    {0, 3, {100, 50, 250, 255}, {50, 25, 125, 128}},
};

TEST(LayerModes, WorkedExamples) {
    for (const Row& row : kTable) {
        const Pixel dest = dest_with_alpha(row.dest_alpha);
        EXPECT_EQ(layered(row.mode, 255, dest, kSource), row.full)
            << "mode " << row.mode << " alpha " << int(row.dest_alpha);
        EXPECT_EQ(layered(row.mode, 128, dest, kSource), row.half)
            << "mode " << row.mode << " alpha " << int(row.dest_alpha);
    }
}

TEST(LayerModes, OverIsExactlyBlt) {
    for (int32_t opacity : {1, 77, 128, 254, 255, -300, 70000, INT_MIN, INT_MAX}) {
        Bitmap by_blt(9, 7), by_mode(9, 7), src(9, 7);
        by_blt.randomize(8);
        by_mode.randomize(8);
        src.randomize(9);
        LUMORIA(blt)(by_blt.handle(), src.handle(), 1, 0, 0, 1, 9, 7, opacity);
        LUMORIA(transfer_blt)(by_mode.handle(), src.handle(), 1, 0, 0, 1, 9, 7, 0, opacity);
        EXPECT_EQ(by_blt.pixels(), by_mode.pixels()) << opacity;
    }
}

TEST(LayerModes, ReplaceWritesEvenATransparentSource) {
    EXPECT_EQ(layered(1, 200, {9, 9, 9, 255}, {1, 2, 3, 0}), (Pixel{1, 2, 3, 0}));
    EXPECT_EQ(layered(1, 100, {9, 9, 9, 255}, {1, 2, 3, 2}), (Pixel{1, 2, 3, 0}));
}

TEST(LayerModes, RecolourSkipsFaintPixelsAndTheRowGoesOn) {
    const Pixel recoloured = transfer_support::drawn_around_a_faint_pixel(
        [](int32_t d, int32_t s) { return LUMORIA(transfer_blt)(d, s, 0, 0, 0, 0, 3, 1, 2, 100); });
    EXPECT_EQ(recoloured.a, 50);
}

TEST(LayerModes, BehindLeavesOpaqueDestinationAndTransparentSource) {
    for (int32_t opacity : {1, 128, 255, 1000, INT_MIN, INT_MAX})
        EXPECT_EQ(layered(3, opacity, {1, 2, 3, 255}, kSource), (Pixel{1, 2, 3, 255})) << opacity;
    EXPECT_EQ(layered(3, 255, {1, 2, 3, 100}, {7, 7, 7, 0}), (Pixel{1, 2, 3, 100}));
}

TEST(LayerModes, BehindAFaintSourceRescalesTheColour) {
    // Alpha product 128 (opacity 1, source alpha 128): e = 0.
    EXPECT_EQ(layered(3, 1, {100, 100, 100, 200}, {0, 0, 0, 128}), (Pixel{156, 156, 156, 200}));
    // Values above 255 store their low 8 bits: 256 stores 0, 508 stores 252.
    EXPECT_EQ(layered(3, 1, {255, 255, 255, 128}, {0, 0, 0, 128}), (Pixel{0, 0, 0, 128}));
    EXPECT_EQ(layered(3, 1, {255, 255, 255, 254}, {0, 0, 0, 128}), (Pixel{252, 252, 252, 254}));
}

}  // namespace
