// What the stand-in needs from the operating system: memory below 4 GiB and
// the dynamic loader. The one place where Linux and Windows differ.
#pragma once

#include <cstddef>
#include <set>
#include <string>

namespace standin::platform {

// Zeroed read-write memory lying wholly below 4 GiB, at a 64 KiB boundary;
// throws std::bad_alloc when there is none.
void* map_low(size_t bytes);
void unmap(void* memory, size_t bytes);

// Null on failure, with the loader's reason in `error`.
void* open_library(const std::string& path, std::string& error);
void* library_symbol(void* library, const char* name);
void close_library(void* library);

// The names a loaded library exports.
std::set<std::string> library_exports(void* library, const std::string& path);
#if defined(_WIN32)
// The DLLs a loaded DLL imports from.
std::set<std::string> library_imports(void* library);
#endif

}  // namespace standin::platform
