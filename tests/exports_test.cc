// Each library exports exactly the operations it implements: nothing
// internal leaks out and nothing is missing. On Windows the names are the
// same, undecorated, and the DLLs need nothing to be shipped beside them.
#include <cctype>
#include <set>
#include <string>
#include <utility>
#include <vector>

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

// Engine scripts read every result as a 32-bit integer, whatever its C type:
// the one-byte booleans and get_pixel's byte must fill the whole register.
#define LUMORIA_INT32(name) \
    support::lumoria_library().fn<standin::Int32Result<decltype(&::name)>>(#name)

TEST(Exports, ResultsFillTheWhole32BitRegister) {
    Bitmap a(16, 16), b(16, 16);
    a.fill(Pixel{200, 100, 50, 255});
    b.fill(Pixel{10, 20, 30, 40});
    const Bitmap no_surface = Bitmap::without_surface();
    const int32_t none = no_surface.handle();
    const int32_t table[256] = {};
    const int32_t dims[3] = {1, 1, 0};
    // Each export refused, then done.
    const std::vector<std::pair<int32_t, int32_t>> results = {
        {LUMORIA_INT32(transition_in)(none, b.handle(), 1, 2, 0, 0, 0),
         LUMORIA_INT32(transition_in)(a.handle(), b.handle(), 1, 2, 0, 0, 0)},
        {LUMORIA_INT32(transition_out)(a.handle(), none, 1, 2, 0, 0, 0),
         LUMORIA_INT32(transition_out)(a.handle(), b.handle(), 1, 2, 0, 0, 0)},
        {LUMORIA_INT32(draw_map)(nullptr, nullptr, dims, b.handle(), 0, none, 0, 0, 0),
         LUMORIA_INT32(draw_map)(nullptr, nullptr, dims, b.handle(), 0, a.handle(), 0, 0, 0)},
        {LUMORIA_INT32(split_bitmap)(a.handle(), b.handle(), 0, 0),
         LUMORIA_INT32(split_bitmap)(a.handle(), b.handle(), 1, 1)},
        {LUMORIA_INT32(table_lookup)(none, table, 0),
         LUMORIA_INT32(table_lookup)(a.handle(), table, 0)},
        {LUMORIA_INT32(pixelize)(none, 2, 2), LUMORIA_INT32(pixelize)(a.handle(), 2, 2)},
        {LUMORIA_INT32(radial_blur)(none, b.handle(), 4, 0, 0),
         LUMORIA_INT32(radial_blur)(a.handle(), b.handle(), 4, 0, 0)},
    };
    for (size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].first, 0) << "export " << i << " refused";
        EXPECT_EQ(results[i].second, 1) << "export " << i << " done";
    }
    using GetPixel = int32_t (*)(long, int32_t, int32_t, int32_t);
    const auto get_pixel = support::lumoria_library().fn<GetPixel>("_Z9get_pixelliii");
    const int32_t bytes[4] = {250, 128, 255, 129};
    b.set(1, 1, Pixel{250, 128, 255, 129});
    for (int32_t channel = 0; channel < 4; ++channel)
        EXPECT_EQ(get_pixel(b.handle(), 1, 1, channel), bytes[channel]);
    EXPECT_EQ(get_pixel(none, 1, 1, 0), 0);
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
