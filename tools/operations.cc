#include "tools/operations.h"

#include <algorithm>

#include "Quorvex.h"
#include "lumoria.h"
#include "tools/invoke.h"

namespace tool {
namespace {

Param number(const char* name) { return {name, Kind::kInteger}; }
Param bitmap_in(const char* name) { return {name, Kind::kBitmapIn}; }
Param bitmap_out(const char* name) { return {name, Kind::kBitmapOut}; }
Param ints(const char* name, int count) { return {name, Kind::kInts, count}; }
Param ints(const char* name, CountRule rule, const char* text) {
    return {name, Kind::kInts, 0, rule, text};
}
Param floats(const char* name, int count) { return {name, Kind::kFloats, count}; }
Param result_ints(const char* name, CountRule rule, const char* text) {
    return {name, Kind::kResultInts, 0, rule, text};
}

// draw_map reads one entry per layer of every whole 32 x 32 cell of dest.
int64_t map_entries(const Call& call) {
    const standin::Bitmap& dest = call.bitmap_of(5);
    const int64_t layers = std::max<int64_t>(0, call.values[2].ints[2]);
    return int64_t{dest.width() / 32} * (dest.height() / 32) * layers;
}

// get_pixels writes four integers per pixel.
int64_t pixel_records(const Call& call) {
    const standin::Bitmap& bitmap = call.bitmap_of(0);
    return int64_t{4} * bitmap.width() * bitmap.height();
}

// test reads record 10 * n + 10, four integers each; a negative n would
// reach before the array.
int64_t probe_values(const Call& call) {
    const int64_t n = call.values[2].number;
    return n < 0 ? -1 : 4 * (10 * n + 11);
}

// The subsystems the exports are grouped by, in the order of the headers.
constexpr const char* kRectangles = "Rectangles";
constexpr const char* kTransfers = "Block transfers";
constexpr const char* kMaps = "Transitions, tile maps, splitting";
constexpr const char* kFilters = "Colour filters";
constexpr const char* kEffects = "Spatial effects";
constexpr const char* kShapes = "Shapes";
constexpr const char* kReadBack = "Read-back and timing probes";
constexpr const char* kQuorvex = "Affine resampling and colour fill";

#define LUMORIA_EXPORT(group, fn, ...) \
    describe<decltype(::fn)>(LibraryId::kLumoria, group, #fn, #fn, __VA_ARGS__)
#define QUORVEX_EXPORT(group, fn, ...) \
    describe<decltype(::fn)>(LibraryId::kQuorvex, group, #fn, #fn, __VA_ARGS__)

std::vector<Operation> build_table() {
    const Param transfer[] = {bitmap_out("dest"), bitmap_in("src"), number("dx"),
                              number("dy"),       number("sx"),     number("sy"),
                              number("width"),    number("height")};
    const auto with = [&](std::initializer_list<Param> last) {
        std::vector<Param> params(std::begin(transfer), std::end(transfer));
        params.insert(params.end(), last);
        return params;
    };
    const std::vector<Param> transition = {
        bitmap_out("dest"), bitmap_in("mask"), number("progress"), number("total"),
        number("softness"), number("x"),       number("y")};
    const std::vector<Param> recolour = {bitmap_out("dest"), number("amount"), number("red"),
                                         number("green"), number("blue")};
    return {
        LUMORIA_EXPORT(
            kRectangles, clear_rect,
            {bitmap_out("dest"), number("x"), number("y"), number("width"), number("height")},
            {"scene 24 20 64 40", "scene -30 -30 60 50"}),
        LUMORIA_EXPORT(
            kRectangles, fill_rect,
            {bitmap_out("dest"), number("x"), number("y"), number("width"), number("height"),
             number("red"), number("green"), number("blue"), number("alpha")},
            {"scene 40 30 80 50 255 128 0 255", "scene 100 60 100 100 0 160 255 96"}),
        LUMORIA_EXPORT(kTransfers, blt, with({number("opacity")}),
                       {"scene sprite 40 20 0 0 96 80 255", "scene sprite 40 20 0 0 96 80 128",
                        "scene scene 20 20 0 0 160 120 255"}),
        LUMORIA_EXPORT(kTransfers, simple_blt, with({}), {"scene sprite 40 20 0 0 96 80"}),
        LUMORIA_EXPORT(
            kTransfers, blend_blt, with({number("mode"), number("opacity")}),
            {"scene sprite 40 20 0 0 96 80 1 255", "scene sprite 40 20 0 0 96 80 2 255",
             "scene sprite 40 20 0 0 96 80 3 255", "scene sprite 40 20 0 0 96 80 4 255",
             "scene sprite 40 20 0 0 96 80 5 200", "scene sprite 40 20 0 0 96 80 7 255",
             "scene sprite 40 20 0 0 96 80 11 255", "scene sprite 40 20 0 0 96 80 12 128"}),
        LUMORIA_EXPORT(
            kTransfers, transfer_blt, with({number("mode"), number("opacity")}),
            {"scene sprite 40 20 0 0 96 80 0 200", "scene sprite 40 20 0 0 96 80 1 200",
             "scene sprite 40 20 0 0 96 80 2 200", "scene sprite 40 20 0 0 96 80 3 255"}),
        LUMORIA_EXPORT(kMaps, transition_in, transition, {"scene mask 50 100 20 0 0"}),
        LUMORIA_EXPORT(kMaps, transition_out, transition, {"scene mask 50 100 20 0 0"}),
        LUMORIA_EXPORT(kMaps, draw_map,
                       {ints("tiles", map_entries, "layers x W/32 x H/32 of dest"),
                        ints("keys", map_entries, "layers x W/32 x H/32 of dest"), ints("dims", 3),
                        bitmap_in("tileset"), number("unused5"), bitmap_out("dest"),
                        number("unused7"), number("unused8"), number("key")},
                       {"map-tiles map-keys map-dims tileset 0 blank 0 0 0",
                        "map-tiles map-keys map-dims tileset 0 blank 0 0 1"}),
        LUMORIA_EXPORT(kMaps, split_bitmap,
                       {bitmap_out("src"), bitmap_out("dest"), number("step_y"), number("step_x")},
                       {"scene blank 10 4", "scene blank 0 -8"}),
        LUMORIA_EXPORT(kFilters, tint, recolour, {"scene 40 255 0 0"}),
        LUMORIA_EXPORT(kFilters, colorize, recolour, {"scene 50 255 160 0"}),
        LUMORIA_EXPORT(kFilters, grayscale, {bitmap_out("dest"), number("amount")},
                       {"scene 100", "scene 50", "scene -60"}),
        LUMORIA_EXPORT(kFilters, negative, {bitmap_out("dest")}, {"scene"}),
        LUMORIA_EXPORT(kFilters, table_lookup,
                       {bitmap_out("dest"), ints("table", 256), number("map_alpha")},
                       {"scene posterize 0", "scene contrast 1"}),
        LUMORIA_EXPORT(kEffects, pixelize,
                       {bitmap_out("dest"), number("block_width"), number("block_height")},
                       {"scene 8 8", "scene 24 6"}),
        LUMORIA_EXPORT(kEffects, ripple,
                       {bitmap_out("dest"), bitmap_in("src"), number("scale"), number("amplitude"),
                        number("vertical")},
                       {"blank scene 8 6 0", "blank scene 12 10 1"}),
        LUMORIA_EXPORT(kEffects, ripple_circ,
                       {bitmap_out("dest"), number("cx"), number("cy"), number("phase"),
                        number("period"), number("strength"), number("radius")},
                       {"scene 80 60 0 16 60 56"}),
        LUMORIA_EXPORT(kEffects, radial_blur,
                       {bitmap_out("dest"), bitmap_in("src"), number("samples"), number("reserved"),
                        number("scaled")},
                       {"blank scene 16 0 0", "blank scene 24 0 1"}),
        LUMORIA_EXPORT(
            kShapes, draw_circle,
            {bitmap_out("dest"), number("cx"), number("cy"), number("radius"), number("thickness"),
             number("start_angle"), number("end_angle"), number("red"), number("green"),
             number("blue"), number("alpha")},
            {"scene 80 60 50 6 0 0 255 255 255 255", "scene 80 60 45 45 30 200 200 0 40 160"}),
        LUMORIA_EXPORT(
            kShapes, draw_ellipse,
            {bitmap_out("dest"), number("cx"), number("cy"), number("radius_x"), number("radius_y"),
             number("thickness"), number("reserved1"), number("reserved2"), number("red"),
             number("green"), number("blue"), number("alpha")},
            {"scene 80 60 70 40 5 0 0 0 255 255 255"}),
        LUMORIA_EXPORT(kReadBack, get_pixels,
                       {bitmap_in("bitmap"), result_ints("out", pixel_records, "4 x W x H")},
                       {"scene"}),
        LUMORIA_EXPORT(
            kReadBack, test,
            {ints("values", probe_values, "4 x (10 x n + 11)"), number("unused"), number("n")},
            {"records 0 12"}),
        LUMORIA_EXPORT(kReadBack, test2, {}, {""}),
        // Exported under its C++ name.
        describe<decltype(::get_pixel)>(
            LibraryId::kLumoria, kReadBack, "get_pixel", "_Z9get_pixelliii",
            {bitmap_in("bitmap"), number("x"), number("y"), number("channel")},
            {"scene 100 30 2", "scene 100 30 3"}),
        QUORVEX_EXPORT(
            kQuorvex, Quorvex,
            {bitmap_in("src"), bitmap_out("dest"), floats("matrix", 9), number("mode")},
            {"scene blank 0.8660254,-0.5,0,0.5,0.8660254,0,0,0,1 0",
             "scene blank 0.8660254,-0.5,0,0.5,0.8660254,0,0,0,1 1",
             "scene blank 1.75,0,0,0,1.75,0,0,0,1 1", "scene blank 1,0.5,-20,0,1,0,0,0,1 0"}),
        QUORVEX_EXPORT(kQuorvex, fill_color, {bitmap_out("dest"), floats("color", 3)},
                       {"scene 40,90,200"}),
    };
}

}  // namespace

const std::vector<Operation>& operations() {
    static const std::vector<Operation> table = build_table();
    return table;
}

const Operation* find_operation(std::string_view name) {
    for (const Operation& op : operations())
        if (name == op.name) return &op;
    return nullptr;
}

}  // namespace tool
