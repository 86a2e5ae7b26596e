// Every export of both libraries, bound by symbol name from the sanitized
// shared libraries as the engine binds them: the boolean ones with a 32-bit
// result, as scripts read them, so that the whole register is checked. An
// export that a library does not (yet) have is null, and the harness leaves
// it out.
#pragma once

#include "Quorvex.h"
#include "lumoria.h"
#include "standin/library.h"

namespace fuzz {

struct Exports {
    decltype(&::clear_rect) clear_rect;
    decltype(&::fill_rect) fill_rect;
    decltype(&::blt) blt;
    decltype(&::simple_blt) simple_blt;
    decltype(&::blend_blt) blend_blt;
    decltype(&::transfer_blt) transfer_blt;
    standin::Int32Result<decltype(&::transition_in)> transition_in;
    standin::Int32Result<decltype(&::transition_out)> transition_out;
    standin::Int32Result<decltype(&::draw_map)> draw_map;
    standin::Int32Result<decltype(&::split_bitmap)> split_bitmap;
    decltype(&::tint) tint;
    decltype(&::colorize) colorize;
    decltype(&::grayscale) grayscale;
    decltype(&::negative) negative;
    standin::Int32Result<decltype(&::table_lookup)> table_lookup;
    standin::Int32Result<decltype(&::pixelize)> pixelize;
    decltype(&::ripple) ripple;
    decltype(&::ripple_circ) ripple_circ;
    standin::Int32Result<decltype(&::radial_blur)> radial_blur;
    decltype(&::draw_circle) draw_circle;
    decltype(&::draw_ellipse) draw_ellipse;
    int (*get_pixel)(long, int, int, int);
    decltype(&::get_pixels) get_pixels;
    decltype(&::test) test;
    decltype(&::test2) test2;
    decltype(&::Quorvex) quorvex;
    decltype(&::fill_color) fill_color;
};

// The shipped libraries, loaded on first use; they stay loaded for the whole
// run.
const Exports& exports();
// The plain build of both libraries (no fast path at all, only the plain
// rows), loaded on first use like the shipped ones.
const Exports& plain_exports();

}  // namespace fuzz
