// A 32-bit engine may call an export with its stack aligned to only 4 bytes.
// Every export is called here on such stacks and must give exactly what it
// gives on an aligned one (vector code that spills to a misaligned slot
// would fault instead). Only 32-bit x86 has such callers.
#if defined(__i386__)

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support.h"

namespace {

struct StackCall {
    const void* function;
    const uint32_t* args;
    uint32_t count;
    uint32_t offset;  // of the stack pointer past a 64-byte boundary at the call
};

// Calls c.function (cdecl) with c.count 32-bit arguments on a stack moved
// to the alignment c.offset; returns eax. The callee may change every
// register the convention lets it change.
uint32_t call_on_stack(const StackCall& c) {
    uint32_t result;
    const StackCall* call = &c;
    asm volatile(
        "movl %%esp, %%edi\n\t"
        "movl 8(%%edx), %%ecx\n\t"
        "leal (,%%ecx,4), %%eax\n\t"
        "negl %%eax\n\t"
        "leal -128(%%esp,%%eax), %%eax\n\t"
        "andl $-64, %%eax\n\t"
        "addl 12(%%edx), %%eax\n\t"
        "movl %%eax, %%esp\n\t"
        "movl 4(%%edx), %%esi\n\t"
        "1:\n\t"
        "testl %%ecx, %%ecx\n\t"
        "jz 2f\n\t"
        "decl %%ecx\n\t"
        "movl (%%esi,%%ecx,4), %%eax\n\t"
        "movl %%eax, (%%esp,%%ecx,4)\n\t"
        "jmp 1b\n\t"
        "2:\n\t"
        "call *(%%edx)\n\t"
        "movl %%edi, %%esp\n\t"
        : "=a"(result), "+d"(call)
        :
        : "ecx", "esi", "edi", "memory", "cc", "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5",
          "xmm6", "xmm7");
    return result;
}

// Everything an export may read or write, rebuilt the same for each call.
struct Scene {
    Bitmap dest{67, 45}, src{59, 41}, mask{67, 45}, tileset{256, 64};
    std::vector<int32_t> table, tiles, keys, dims{-1, -1, 2}, out;
    float matrix[9] = {0.866f, -0.5f, 3.0f, 0.5f, 0.866f, -2.0f, 0.0f, 0.0f, 1.0f};
    float colour[3] = {10.0f, 200.0f, 77.0f};

    Scene() : table(256), tiles(6 * 2), keys(6 * 2), out(67 * 45 * 4, 0) {
        dest.randomize(1);
        src.randomize(2);
        mask.randomize(3);
        tileset.randomize(4);
        for (int i = 0; i < 256; ++i) table[i] = 255 - i;
        for (size_t i = 0; i < tiles.size(); ++i) tiles[i] = 384 + static_cast<int32_t>(i);
    }
    std::vector<uint8_t> state() const {
        std::vector<uint8_t> bytes;
        for (const Bitmap* b : {&dest, &src, &mask, &tileset}) {
            const std::vector<uint8_t> p = b->pixels();
            bytes.insert(bytes.end(), p.begin(), p.end());
        }
        const auto* o = reinterpret_cast<const uint8_t*>(out.data());
        bytes.insert(bytes.end(), o, o + out.size() * sizeof(int32_t));
        return bytes;
    }
};

uint32_t address(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
uint32_t h(const Bitmap& b) { return static_cast<uint32_t>(b.handle()); }

struct Case {
    std::string name;
    const void* function;
    uint32_t result_mask;  // 0 for void, 0xFF for bool, all bits for int
    std::function<std::vector<uint32_t>(Scene&)> args;
};

std::vector<Case> every_export() {
    const auto& lumoria = support::lumoria_library();
    const auto& quorvex = support::quorvex_library();
    auto fn = [&](const char* name) { return lumoria.fn<void*>(name); };
    const uint32_t kInt = 0xFFFFFFFF, kBool = 0xFF;
    // One call per line reads best as a table.
    // clang-format off
    std::vector<Case> cases = {
        {"clear_rect", fn("clear_rect"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 3, 2, 40, 30};
         }},
        {"fill_rect", fn("fill_rect"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 1, 1, 65, 40, 10, 20, 30, 128};
         }},
        {"blt", fn("blt"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.src), 2, 1, 0, 0, 59, 41, 200};
         }},
        {"simple_blt", fn("simple_blt"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.src), 2, 1, 3, 0, 59, 41};
         }},
        {"transition_in", fn("transition_in"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.mask), 40, 100, 30, 0, 0};
         }},
        {"transition_out", fn("transition_out"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.mask), 60, 100, 30, 0, 0};
         }},
        {"draw_map", fn("draw_map"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{address(s.tiles.data()), address(s.keys.data()),
                                          address(s.dims.data()), h(s.tileset), 0, h(s.dest),
                                          0, 0, 0};
         }},
        {"split_bitmap", fn("split_bitmap"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.mask), 3, 2};
         }},
        {"tint", fn("tint"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 60, 255, 10, 100};
         }},
        {"colorize", fn("colorize"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 60, 255, 10, 100};
         }},
        {"grayscale", fn("grayscale"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 70};
         }},
        {"negative", fn("negative"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest)};
         }},
        {"table_lookup", fn("table_lookup"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), address(s.table.data()), 1};
         }},
        {"pixelize", fn("pixelize"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 5, 4};
         }},
        {"ripple", fn("ripple"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.src), 7, 5, 1};
         }},
        {"ripple_circ", fn("ripple_circ"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 30, 20, 3, 9, 40, 60};
         }},
        {"radial_blur", fn("radial_blur"), kBool, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), h(s.src), 16, 0, 1};
         }},
        {"draw_circle", fn("draw_circle"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 30, 20, 25, 6, 10, 300, 1, 2, 3, 200};
         }},
        {"draw_ellipse", fn("draw_ellipse"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 30, 20, 28, 15, 5, 0, 0, 1, 2, 3, 200};
         }},
        {"get_pixel", fn("_Z9get_pixelliii"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), 5, 7, 2};
         }},
        {"get_pixels", fn("get_pixels"), 0, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), address(s.out.data())};
         }},
        {"test", fn("test"), 0, [](Scene& s) {
             return std::vector<uint32_t>{address(s.out.data()), 0, 20};
         }},
        {"test2", fn("test2"), 0, [](Scene&) { return std::vector<uint32_t>{}; }},
        {"Quorvex", quorvex.fn<void*>("Quorvex"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.src), h(s.dest), address(s.matrix), 1};
         }},
        {"fill_color", quorvex.fn<void*>("fill_color"), kInt, [](Scene& s) {
             return std::vector<uint32_t>{h(s.dest), address(s.colour)};
         }},
    };
    // clang-format on
    // Every blend mode but dissolve, whose pixels come from the clock's seed.
    for (uint32_t mode = 0; mode <= 11; ++mode)
        cases.push_back(
            {"blend_blt mode " + std::to_string(mode), fn("blend_blt"), kInt, [mode](Scene& s) {
                 return std::vector<uint32_t>{h(s.dest), h(s.src), 1, 2, 0, 0, 59, 41, mode, 180};
             }});
    for (uint32_t mode = 0; mode <= 3; ++mode)
        cases.push_back({"transfer_blt mode " + std::to_string(mode), fn("transfer_blt"), kInt,
                         [mode](Scene& s) {
                             return std::vector<uint32_t>{h(s.dest), h(s.src), 1,  2,    0,
                                                          0,         59,       41, mode, 180};
                         }});
    return cases;
}

TEST(StackAlignment, EveryExportGivesTheSameBytesOnA4ByteAlignedStack) {
    for (const Case& c : every_export()) {
        Scene aligned;
        std::vector<uint32_t> args = c.args(aligned);
        const uint32_t expected =
            call_on_stack({c.function, args.data(), uint32_t(args.size()), 0}) & c.result_mask;
        for (uint32_t offset : {4u, 8u, 12u, 36u, 60u}) {
            Scene scene;
            args = c.args(scene);
            const uint32_t result =
                call_on_stack({c.function, args.data(), uint32_t(args.size()), offset});
            EXPECT_EQ(result & c.result_mask, expected) << c.name << ", offset " << offset;
            EXPECT_TRUE(scene.state() == aligned.state()) << c.name << ", offset " << offset;
        }
    }
}

}  // namespace

#endif
