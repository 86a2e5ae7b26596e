// Command-line host for the two libraries: loads them as the engine does and
// calls their exports by name.
#include <cstdio>
#include <cstring>
#include <exception>

#include "standin/library.h"

namespace {

struct Export {
    const char* library;
    const char* name;
    const char* arguments;
};

// Every export, in the order of the public headers.
const Export kExports[] = {
    {"lumoria", "clear_rect", "dest, x, y, width, height -> status"},
    {"lumoria", "fill_rect", "dest, x, y, width, height, red, green, blue, alpha -> status"},
    {"lumoria", "pixelize", "dest, block_width, block_height -> bool"},
    {"lumoria", "ripple_circ", "dest, cx, cy, phase, period, strength, radius -> status"},
    {"lumoria", "radial_blur", "dest, src, samples, reserved, scaled -> bool"},
};

int list() {
    const standin::Library lumoria(LUMORIA_SO);
    const standin::Library quorvex(QUORVEX_SO);
    for (const Export& e : kExports) {
        const standin::Library& lib = std::strcmp(e.library, "lumoria") == 0 ? lumoria : quorvex;
        std::printf("%-8s %-14s %s%s\n", e.library, e.name, e.arguments,
                    lib.symbol(e.name) ? "" : "  (missing)");
    }
    return 0;
}

int usage() {
    std::fprintf(stderr, "usage: lumoria-tool list | demo\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc < 2) return usage();
        if (std::strcmp(argv[1], "list") == 0 || std::strcmp(argv[1], "demo") == 0) return list();
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumoria-tool: %s\n", e.what());
        return 1;
    }
}
