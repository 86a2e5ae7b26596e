// Each library exports exactly the operations it implements: nothing
// internal leaks out and nothing is missing.
#include <cstdio>
#include <set>
#include <sstream>
#include <string>

#include "support.h"

namespace {

std::set<std::string> exported_symbols(const char* library) {
    const std::string command = std::string(NM_PROGRAM) + " -D --defined-only " + library;
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return names;
    char line[512];
    while (fgets(line, sizeof line, pipe)) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name) names.insert(name);
    }
    pclose(pipe);
    return names;
}

TEST(Exports, LumoriaExportsExactlyItsOperations) {
    const std::set<std::string> expected = {
        "clear_rect",
        "fill_rect",
        "tint",
        "colorize",
        "grayscale",
        "negative",
        "table_lookup",
        "blt",
        "simple_blt",
        "blend_blt",
        "transfer_blt",
        "transition_in",
        "transition_out",
        "draw_map",
        "split_bitmap",
        "pixelize",
        "ripple",
        "ripple_circ",
        "radial_blur",
        "draw_circle",
        "draw_ellipse",
        "_Z9get_pixelliii",
        "get_pixels",
        "test",
        "test2",
    };
    EXPECT_EQ(exported_symbols(LUMORIA_SO), expected);
}

TEST(Exports, QuorvexExportsExactlyItsOperations) {
    const std::set<std::string> expected = {"Quorvex", "fill_color"};
    EXPECT_EQ(exported_symbols(QUORVEX_SO), expected);
}

}  // namespace
