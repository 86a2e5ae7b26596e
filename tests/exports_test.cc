// Each library exports exactly the operations it implements: nothing
// internal leaks out and nothing is missing. On Windows the names are the
// same, undecorated, and the DLLs need nothing to be shipped beside them.
#include <cctype>
#include <set>
#include <string>

#include "support.h"

namespace {

TEST(Exports, LumoriaExportsExactlyItsOperations) {
    const std::set<std::string> expected = {
        "clear_rect",     "fill_rect",        "tint",         "colorize",
        "grayscale",      "negative",         "table_lookup", "blt",
        "simple_blt",     "blend_blt",        "transfer_blt", "transition_in",
        "transition_out", "draw_map",         "split_bitmap", "pixelize",
        "ripple",         "ripple_circ",      "radial_blur",  "draw_circle",
        "draw_ellipse",   "_Z9get_pixelliii", "get_pixels",   "test",
        "test2",
    };
    EXPECT_EQ(support::lumoria_library().exports(), expected);
}

TEST(Exports, QuorvexExportsExactlyItsOperations) {
    const std::set<std::string> expected = {"Quorvex", "fill_color"};
    EXPECT_EQ(support::quorvex_library().exports(), expected);
}

#if defined(_WIN32)
// Only Windows' own DLLs: the kernel and the C runtime (msvcrt, or the
// universal runtime's ucrtbase and its api-ms-win-crt-* forwarders).
bool system_dll(std::string name) {
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name == "kernel32.dll" || name == "msvcrt.dll" || name == "ucrtbase.dll" ||
           name.rfind("api-ms-win-crt-", 0) == 0;
}

TEST(Exports, DllsImportOnlySystemDlls) {
    for (const standin::Library* library :
         {&support::lumoria_library(), &support::quorvex_library()}) {
        const std::set<std::string> imports = library->imports();
        EXPECT_FALSE(imports.empty());
        for (const std::string& name : imports) EXPECT_TRUE(system_dll(name)) << name;
    }
}
#endif

}  // namespace
