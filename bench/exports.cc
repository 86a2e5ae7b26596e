#include "bench/exports.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <type_traits>

#include "Quorvex.h"
#include "host/host_bitmap.h"
#include "lumoria.h"
#include "tests/shapes_walk.h"

// The export found at `fn`, with the type of its declaration.
#define EXPORT(name) reinterpret_cast<decltype(&::name)>(fn)

namespace bench {
namespace {

constexpr int32_t kOpaque = 255;

std::array<float, 9> affine_matrix() {
    const double turn = kRotationDegrees * std::acos(-1.0) / 180.0;
    const float c = static_cast<float>(kScale * std::cos(turn));
    const float s = static_cast<float>(kScale * std::sin(turn));
    return {c, -s, 0.0f, s, c, 0.0f, 0.0f, 0.0f, 1.0f};
}

// Colour filter arguments: amount in percent, then red, green, blue.
struct ColourArgs {
    int32_t amount, red, green, blue;
};
constexpr ColourArgs kTint{30, 255, 128, 0};
constexpr ColourArgs kColorize{50, 255, 128, 0};
constexpr int32_t kGrayscaleAmount = 60;

// A brightening curve with entries below 0 and above 255 at its ends, which
// the lookup clamps.
std::shared_ptr<const std::array<int32_t, 256>> lookup_table() {
    auto table = std::make_shared<std::array<int32_t, 256>>();
    for (int32_t k = 0; k < 256; ++k) (*table)[k] = k * 5 / 4 - 8;
    return table;
}

// Two layers of tiles over the whole map, every id naming a tile of the
// tileset (the source bitmap, 8 tiles to a row) and every key drawn.
struct TileMap {
    std::vector<int32_t> tiles, keys;
    int32_t dims[3];
};
std::shared_ptr<TileMap> tile_map(const Scene& s) {
    constexpr int32_t kLayers = 2, kKey = 1, kFirstId = 384;
    auto map = std::make_shared<TileMap>();
    const size_t entries = static_cast<size_t>(s.width / 32) * (s.height / 32) * kLayers;
    const int32_t tiles_in_set = 8 * (s.height / 32);
    uint32_t state = 12345;
    for (size_t n = 0; n < entries; ++n) {
        state = state * 1103515245u + 12345u;
        map->tiles.push_back(kFirstId + static_cast<int32_t>((state >> 8) % tiles_in_set));
        map->keys.push_back(kKey);
    }
    map->dims[0] = s.width / 32;
    map->dims[1] = s.height / 32;
    map->dims[2] = kLayers;
    return map;
}

// The probes run a fixed loop, whatever the bitmap.
constexpr int64_t kProbeSteps = 307200;

// A mode of blend_blt or transfer_blt, which take the same arguments.
struct Mode {
    const char* name;
    const char* pixman;  // pixman's operator of the same effect, if any
};
using ModeTransfer = decltype(&::blend_blt);
static_assert(std::is_same_v<ModeTransfer, decltype(&::transfer_blt)>);

// The case of one mode, drawn at `opacity`; labelled by the mode's number
// and name, and by the opacity where it is not the full one. pixman's
// operators draw without an opacity, so only full-opacity cases name one.
ExportCase mode_case(const char* symbol, int32_t mode, const Mode& m, int32_t opacity) {
    std::string label = std::string(symbol) + "/" + std::to_string(mode) + "-" + m.name;
    if (opacity != kOpaque) label += "/opacity-" + std::to_string(opacity);
    return {
        .symbol = symbol,
        .label = label,
        .inputs = Inputs::kSourceOverBackdrop,
        .call = [mode, opacity](void* fn, Scene& s) -> Call {
            return [f = reinterpret_cast<ModeTransfer>(fn), mode, opacity, &s] {
                f(s.dest, s.src, 0, 0, 0, 0, s.width, s.height, mode, opacity);
            };
        },
        .pixman = opacity == kOpaque ? m.pixman : nullptr,
        .restore = Restore::kDest,
    };
}

// One case per mode, numbered from 0, drawn at full opacity; then the
// first `weighted` modes again at half opacity, where the weighted rules
// work on every pixel.
void add_modes(std::vector<ExportCase>& cases, const char* symbol, const std::vector<Mode>& modes,
               int32_t weighted) {
    constexpr int32_t kHalf = 128;
    for (int32_t mode = 0; mode < static_cast<int32_t>(modes.size()); ++mode)
        cases.push_back(mode_case(symbol, mode, modes[mode], kOpaque));
    for (int32_t mode = 0; mode < weighted; ++mode)
        cases.push_back(mode_case(symbol, mode, modes[mode], kHalf));
}

const std::vector<Mode> kBlendModes = {
    {"normal", "OVER"},           {"add", "ADD"},
    {"subtract", nullptr},        {"multiply", "MULTIPLY"},
    {"screen", "SCREEN"},         {"overlay", "OVERLAY"},
    {"soft-light", "SOFT_LIGHT"}, {"color-dodge", "COLOR_DODGE"},
    {"color-burn", "COLOR_BURN"}, {"linear-burn", nullptr},
    {"divide", nullptr},          {"difference", "DIFFERENCE"},
    {"dissolve", nullptr},
};
const std::vector<Mode> kLayerModes = {
    {"over", "OVER"}, {"replace", "SRC"}, {"recolour", nullptr}, {"behind", nullptr}};

// The shapes: a ring a quarter of its radius thick, as large as the bitmap
// holds, and an elliptical ring of 20 levels, both centred.
struct CircleArgs {
    int32_t cx, cy, radius, thickness;
};
CircleArgs circle_args(const Scene& s) {
    const int32_t radius = std::min(s.width, s.height) / 2;
    return {s.width / 2, s.height / 2, radius, radius / 4};
}
struct EllipseArgs {
    int32_t cx, cy, radius_x, radius_y, thickness;
};
EllipseArgs ellipse_args(const Scene& s) {
    return {s.width / 2, s.height / 2, s.width / 3, s.height / 3, 20};
}

}  // namespace

std::vector<ExportCase> export_cases() {
    using I = Inputs;
    std::vector<ExportCase> cases = {
        {.symbol = "clear_rect",
         .call = [](void* fn, Scene& s) -> Call {
             return [f = EXPORT(clear_rect), &s] { f(s.dest, 0, 0, s.width, s.height); };
         },
         .pixman = "fill"},
        {.symbol = "fill_rect",
         .call = [](void* fn, Scene& s) -> Call {
             return [f = EXPORT(fill_rect), &s] {
                 f(s.dest, 0, 0, s.width, s.height, 10, 20, 30, 40);
             };
         },
         .pixman = "fill"},
        {.symbol = "blt",
         .inputs = I::kSourceOverBackdrop,
         .call = [](void* fn, Scene& s) -> Call {
             return [f = EXPORT(blt), &s] {
                 f(s.dest, s.src, 0, 0, 0, 0, s.width, s.height, kOpaque);
             };
         },
         .pixman = "OVER",
         .restore = Restore::kDest},
        {.symbol = "simple_blt",
         .inputs = I::kSourceOverBackdrop,
         .call = [](void* fn, Scene& s) -> Call {
             return
                 [f = EXPORT(simple_blt), &s] { f(s.dest, s.src, 0, 0, 0, 0, s.width, s.height); };
         },
         .pixman = "SRC"},
    };
    // Dissolve, the last blend mode, draws by chance: at full opacity only.
    add_modes(cases, "blend_blt", kBlendModes, static_cast<int32_t>(kBlendModes.size()) - 1);
    add_modes(cases, "transfer_blt", kLayerModes, static_cast<int32_t>(kLayerModes.size()));

    for (const bool in : {true, false}) {
        cases.push_back({
            .symbol = in ? "transition_in" : "transition_out",
            .inputs = I::kSourceOverBackdrop,  // the source is the mask
            .call = [in](void* fn, Scene& s) -> Call {
                const auto f = in ? EXPORT(transition_in) : EXPORT(transition_out);
                return [f, &s] { f(s.dest, s.src, 50, 100, 20, 0, 0); };
            },
            .restore = Restore::kDest,
        });
    }
    cases.push_back({
        .symbol = "draw_map",
        .inputs = I::kSourceOverBackdrop,  // the source is the tileset
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(draw_map), map = tile_map(s), &s] {
                f(map->tiles.data(), map->keys.data(), map->dims, s.src, 0, s.dest, 0, 0, 1);
            };
        },
        .restore = Restore::kDest,
    });
    cases.push_back({
        .symbol = "split_bitmap",
        .inputs = I::kSourceOverBackdrop,
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(split_bitmap), &s] { f(s.src, s.dest, 10, 4); };
        },
        .restore = Restore::kDestAndSource,
    });

    // tint and colorize take the same arguments.
    using ColourFilter = decltype(&::tint);
    static_assert(std::is_same_v<ColourFilter, decltype(&::colorize)>);
    struct ColourCase {
        const char* symbol;
        ColourArgs args;
    };
    for (const ColourCase& c : {ColourCase{"tint", kTint}, ColourCase{"colorize", kColorize}}) {
        const ColourArgs a = c.args;
        cases.push_back({
            .symbol = c.symbol,
            .call = [a](void* fn, Scene& s) -> Call {
                return [f = reinterpret_cast<ColourFilter>(fn), a, &s] {
                    f(s.dest, a.amount, a.red, a.green, a.blue);
                };
            },
        });
    }
    cases.push_back({
        .symbol = "grayscale",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(grayscale), &s] { f(s.dest, kGrayscaleAmount); };
        },
    });
    cases.push_back({
        .symbol = "negative",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(negative), &s] { f(s.dest); };
        },
    });
    for (int32_t map_alpha : {0, 1}) {
        const auto table = lookup_table();
        cases.push_back({
            .symbol = "table_lookup",
            .label = map_alpha ? "table_lookup/all" : "table_lookup/colour",
            .call = [map_alpha, table](void* fn, Scene& s) -> Call {
                return [f = EXPORT(table_lookup), map_alpha, table, &s] {
                    f(s.dest, table->data(), map_alpha);
                };
            },
        });
    }

    cases.push_back({
        .symbol = "pixelize",
        .label = "pixelize/8x8",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(pixelize), &s] { f(s.dest, 8, 8); };
        },
    });
    cases.push_back({
        .symbol = "pixelize",
        .label = "pixelize/32x32",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(pixelize), &s] { f(s.dest, 32, 32); };
        },
    });
    for (int32_t vertical : {0, 1}) {
        cases.push_back({
            .symbol = "ripple",
            .label = vertical ? "ripple/columns" : "ripple/rows",
            .inputs = I::kSourceInto,
            .call = [vertical](void* fn, Scene& s) -> Call {
                return [f = EXPORT(ripple), vertical, &s] { f(s.dest, s.src, 8, 12, vertical); };
            },
        });
    }
    cases.push_back({
        .symbol = "ripple_circ",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(ripple_circ), &s] {
                f(s.dest, s.width / 2, s.height / 2, 0, 32, 50, std::min(s.width, s.height) / 2);
            };
        },
    });
    // Fixed runs of 16 and 64 samples, and runs scaled to about 64 at the
    // middle of each edge.
    struct BlurArgs {
        int32_t samples, scaled;
    };
    for (const BlurArgs a : {BlurArgs{16, 0}, BlurArgs{64, 0}, BlurArgs{64, 1}}) {
        cases.push_back({
            .symbol = "radial_blur",
            .label = "radial_blur/" + std::to_string(a.samples) + (a.scaled ? "-scaled" : ""),
            .inputs = I::kSourceInto,
            .call = [a](void* fn, Scene& s) -> Call {
                return
                    [f = EXPORT(radial_blur), a, &s] { f(s.dest, s.src, a.samples, 0, a.scaled); };
            },
        });
    }

    // Each shape also as the literal walk, step by step and level by level,
    // its runs written with the library's fill_rect: the reference the
    // shipped shapes are measured against.
    cases.push_back({
        .symbol = "draw_circle",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(draw_circle), a = circle_args(s), &s] {
                f(s.dest, a.cx, a.cy, a.radius, a.thickness, 0, 0, 255, 128, 0, 255);
            };
        },
    });
    cases.push_back({
        .symbol = "fill_rect",
        .label = "draw_circle/literal-walk",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(fill_rect), a = circle_args(s), &s] {
                shapes_walk::circle([&](int32_t x, int32_t y, int32_t w,
                                        int32_t h) { f(s.dest, x, y, w, h, 255, 128, 0, 255); },
                                    a.cx, a.cy, a.radius, a.thickness, 0, 0);
            };
        },
    });
    cases.push_back({
        .symbol = "draw_ellipse",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(draw_ellipse), a = ellipse_args(s), &s] {
                f(s.dest, a.cx, a.cy, a.radius_x, a.radius_y, a.thickness, 0, 0, 255, 128, 0, 255);
            };
        },
    });
    cases.push_back({
        .symbol = "fill_rect",
        .label = "draw_ellipse/literal-walk",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(fill_rect), a = ellipse_args(s), &s] {
                shapes_walk::ellipse([&](int32_t x, int32_t y, int32_t w,
                                         int32_t h) { f(s.dest, x, y, w, h, 255, 128, 0, 255); },
                                     a.cx, a.cy, a.radius_x, a.radius_y, a.thickness);
            };
        },
    });

    cases.push_back({
        .symbol = "_Z9get_pixelliii",
        .label = "get_pixel",
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(get_pixel), &s] {
                int sum = 0;  // every pixel, one call each
                for (int32_t y = 0; y < s.height; ++y)
                    for (int32_t x = 0; x < s.width; ++x) sum += f(s.dest, x, y, host::kAlpha);
                benchmark::DoNotOptimize(sum);
            };
        },
    });
    cases.push_back({
        .symbol = "get_pixels",
        .call = [](void* fn, Scene& s) -> Call {
            auto out = std::make_shared<std::vector<int32_t>>(s.bytes());  // 4 per pixel
            return [f = EXPORT(get_pixels), out, &s] { f(s.dest, out->data()); };
        },
    });
    cases.push_back({
        .symbol = "test",
        .call = [](void* fn, Scene& s) -> Call {
            auto values = std::make_shared<std::vector<int32_t>>(4 * (10 * size_t(s.height) + 11));
            return [f = EXPORT(test), values, &s] { f(values->data(), 0, s.height); };
        },
        .fixed_work = kProbeSteps,
    });
    cases.push_back({
        .symbol = "test2",
        .call = [](void* fn, Scene&) -> Call { return [f = EXPORT(test2)] { f(); }; },
        .fixed_work = kProbeSteps,
    });

    for (int32_t mode : {0, 1}) {
        cases.push_back({
            .symbol = "Quorvex",
            .label = mode ? "Quorvex/bilinear" : "Quorvex/nearest",
            .quorvex = true,
            .inputs = I::kSourceInto,
            .call = [mode](void* fn, Scene& s) -> Call {
                return [f = EXPORT(Quorvex), matrix = affine_matrix(), mode, &s] {
                    f(s.src, s.dest, matrix.data(), mode);
                };
            },
            .pixman = mode ? "affine-bilinear" : "affine-nearest",
        });
    }
    cases.push_back({
        .symbol = "fill_color",
        .quorvex = true,
        .call = [](void* fn, Scene& s) -> Call {
            return [f = EXPORT(fill_color), &s] {
                static const float kColour[3] = {200.5f, 100.25f, 50.75f};
                f(s.dest, kColour);
            };
        },
        .pixman = "fill",
    });
    return cases;
}

}  // namespace bench
