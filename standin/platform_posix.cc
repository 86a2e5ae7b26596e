#include <dlfcn.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdio>
#include <new>
#include <sstream>

#include "standin/platform.h"

namespace standin::platform {

void* map_low(size_t bytes) {
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#if defined(MAP_32BIT)
    flags |= MAP_32BIT;
#endif
    void* p = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    if (static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p)) + bytes > (uint64_t{1} << 32)) {
        munmap(p, bytes);
        throw std::bad_alloc();
    }
    return p;
}

void unmap(void* memory, size_t bytes) { munmap(memory, bytes); }

void* open_library(const std::string& path, std::string& error) {
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) error = dlerror();
    return library;
}

void* library_symbol(void* library, const char* name) { return dlsym(library, name); }

void close_library(void* library) { dlclose(library); }

// nm prints "address type name" for each defined dynamic symbol.
std::set<std::string> library_exports(void*, const std::string& path) {
    std::set<std::string> names;
    FILE* pipe = popen(("nm -D --defined-only '" + path + "'").c_str(), "r");
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

}  // namespace standin::platform
