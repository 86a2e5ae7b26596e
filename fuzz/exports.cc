#include "exports.h"

#include "standin/library.h"

namespace fuzz {
namespace {

template <class F>
void bind(const standin::Library& library, const char* name, F& out) {
    out = reinterpret_cast<F>(library.symbol(name));
}

Exports load(const standin::Library& lumoria, const standin::Library& quorvex) {
    Exports e{};
#define BIND_LUMORIA(name) bind(lumoria, #name, e.name)
    BIND_LUMORIA(clear_rect);
    BIND_LUMORIA(fill_rect);
    BIND_LUMORIA(blt);
    BIND_LUMORIA(simple_blt);
    BIND_LUMORIA(blend_blt);
    BIND_LUMORIA(transfer_blt);
    BIND_LUMORIA(transition_in);
    BIND_LUMORIA(transition_out);
    BIND_LUMORIA(draw_map);
    BIND_LUMORIA(split_bitmap);
    BIND_LUMORIA(tint);
    BIND_LUMORIA(colorize);
    BIND_LUMORIA(grayscale);
    BIND_LUMORIA(negative);
    BIND_LUMORIA(table_lookup);
    BIND_LUMORIA(pixelize);
    BIND_LUMORIA(ripple);
    BIND_LUMORIA(ripple_circ);
    BIND_LUMORIA(radial_blur);
    BIND_LUMORIA(draw_circle);
    BIND_LUMORIA(draw_ellipse);
    BIND_LUMORIA(get_pixels);
    BIND_LUMORIA(test);
    BIND_LUMORIA(test2);
#undef BIND_LUMORIA
    bind(lumoria, "_Z9get_pixelliii", e.get_pixel);
    bind(quorvex, "Quorvex", e.quorvex);
    bind(quorvex, "fill_color", e.fill_color);
    return e;
}

}  // namespace

const Exports& exports() {
    static const standin::Library lumoria(LUMORIA_SO), quorvex(QUORVEX_SO);
    static const Exports e = load(lumoria, quorvex);
    return e;
}

const Exports& plain_exports() {
    static const standin::Library lumoria(LUMORIA_PLAIN_SO), quorvex(QUORVEX_PLAIN_SO);
    static const Exports e = load(lumoria, quorvex);
    return e;
}

}  // namespace fuzz
