// Block transfers of a bitmap onto itself, shifted by a few pixels either
// way: whole rows must give what a walk of one-pixel transfers gives, each
// pixel drawn in walk order and reading what the earlier ones wrote.
#include <string>
#include <vector>

#include "transfer_support.h"

namespace {

using transfer_support::NamedTransfer;

// Every transfer that draws rows, at a full and at a partial opacity.
std::vector<NamedTransfer> row_transfers() {
    auto blt = LUMORIA(blt);
    auto blend_blt = LUMORIA(blend_blt);
    auto transfer_blt = LUMORIA(transfer_blt);
    std::vector<NamedTransfer> all = {{"simple_blt", LUMORIA(simple_blt)}};
    for (int32_t opacity : {255, 100}) {
        const std::string at = " at " + std::to_string(opacity);
        all.push_back({"blt" + at, [=](auto... a) { return blt(a..., opacity); }});
        for (int32_t mode = 0; mode < 12; ++mode)
            all.push_back({"blend_blt " + std::to_string(mode) + at,
                           [=](auto... a) { return blend_blt(a..., mode, opacity); }});
        for (int32_t mode = 0; mode < 4; ++mode)
            all.push_back({"transfer_blt " + std::to_string(mode) + at,
                           [=](auto... a) { return transfer_blt(a..., mode, opacity); }});
    }
    return all;
}

TEST(SameBitmap, ShiftedRowsMatchAPixelByPixelWalk) {
    constexpr int32_t kX = 10, kY = 1, kWidth = 41, kHeight = 3;
    Bitmap whole(64, 5), by_pixel(64, 5);
    whole.randomize(21);
    const std::vector<uint8_t> start = whole.pixels();
    for (const NamedTransfer& t : row_transfers()) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            for (int32_t dx = -9; dx <= 9; ++dx) {
                whole.set_pixels(start);
                by_pixel.set_pixels(start);
                const int32_t w = whole.handle(), p = by_pixel.handle();
                ASSERT_EQ(t.call(w, w, kX + dx, kY + dy, kX, kY, kWidth, kHeight), 1);
                for (int32_t k = 0; k < kHeight; ++k)
                    for (int32_t i = 0; i < kWidth; ++i)
                        t.call(p, p, kX + dx + i, kY + dy + k, kX + i, kY + k, 1, 1);
                ASSERT_EQ(whole.pixels(), by_pixel.pixels())
                    << t.name << " dx " << dx << " dy " << dy;
            }
        }
    }
    EXPECT_TRUE(whole.intact() && by_pixel.intact());
}

}  // namespace
