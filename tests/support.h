// Shared by the tests: the libraries loaded as the engine loads them.
#pragma once

#include <gtest/gtest.h>

#include <ostream>

#include "Quorvex.h"
#include "lumoria.h"
#include "standin/bitmap.h"
#include "standin/library.h"

namespace support {

inline const standin::Library& lumoria_library() {
    static const standin::Library library(LUMORIA_SO);
    return library;
}

inline const standin::Library& quorvex_library() {
    static const standin::Library library(QUORVEX_SO);
    return library;
}

}  // namespace support

// An export bound by name, with the type of its declaration.
#define LUMORIA(name) STANDIN_BIND(::support::lumoria_library(), name)
#define QUORVEX(name) STANDIN_BIND(::support::quorvex_library(), name)

namespace standin {
inline void PrintTo(const Pixel& p, std::ostream* os) {
    *os << "(b " << int(p.b) << ", g " << int(p.g) << ", r " << int(p.r) << ", a " << int(p.a)
        << ")";
}
}  // namespace standin

using standin::Bitmap;
using standin::Pixel;
