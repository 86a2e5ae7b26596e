// The stand-in in a WebAssembly module: every address is 32 bits wide, and
// the libraries are linked into the module itself, their exports exported
// from it under their own names. A library "loads" as the module, and a
// symbol is found among the module's exports by name and entered in the
// module's function table, which is what a function pointer indexes.
#include <emscripten.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "standin/platform.h"

namespace {

// The index of export `name` in the function table (entered on first use),
// or 0 when the module exports no function of that name.
EM_JS(int, module_export_index, (const char* name), {
    var exports = typeof wasmExports != 'undefined' ? wasmExports : Module['asm'];
    var table = typeof wasmTable != 'undefined' ? wasmTable : exports['__indirect_function_table'];
    var key = UTF8ToString(name);
    var fn = exports[key];
    if (typeof fn != 'function') return 0;
    var known = Module.standinTableIndex || (Module.standinTableIndex = {});
    if (!known[key]) {
        known[key] = table.length;
        table.grow(1);
        table.set(known[key], fn);
    }
    return known[key];
});

EM_JS(char*, module_export_names, (), {
    var exports = typeof wasmExports != 'undefined' ? wasmExports : Module['asm'];
    var names =
        Object.keys(exports).filter(function(k) { return typeof exports[k] == 'function'; });
    var text = names.join('\n');
    var size = lengthBytesUTF8(text) + 1;
    var p = _malloc(size);
    stringToUTF8(text, p, size);
    return p;
});

int module_token;

}  // namespace

namespace standin::platform {

void* map_low(size_t bytes) {
    constexpr size_t kAlign = 65536;
    const size_t rounded = (bytes + kAlign - 1) / kAlign * kAlign;
    void* p = std::aligned_alloc(kAlign, rounded);
    if (!p) throw std::bad_alloc();
    std::memset(p, 0, rounded);
    return p;
}

void unmap(void* memory, size_t) { std::free(memory); }

void* open_library(const std::string&, std::string&) { return &module_token; }

void* library_symbol(void*, const char* name) {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(module_export_index(name)));
}

void close_library(void*) {}

std::set<std::string> library_exports(void*, const std::string&) {
    char* text = module_export_names();
    std::set<std::string> names;
    for (char* line = std::strtok(text, "\n"); line; line = std::strtok(nullptr, "\n"))
        names.insert(line);
    std::free(text);
    return names;
}

}  // namespace standin::platform
