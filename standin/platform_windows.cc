#include <windows.h>

#include <cstdint>
#include <new>
#include <string>

#include "standin/platform.h"

namespace standin::platform {
namespace {

constexpr uint64_t k4GiB = uint64_t{1} << 32;
constexpr uintptr_t kGranularity = 64 * 1024;  // VirtualAlloc's placement unit

const uint8_t* image_base(void* library) { return static_cast<const uint8_t*>(library); }

// The data directory entry `which` of a loaded image, or null.
const uint8_t* directory(void* library, int which) {
    const uint8_t* base = image_base(library);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& entry = nt->OptionalHeader.DataDirectory[which];
    return entry.VirtualAddress ? base + entry.VirtualAddress : nullptr;
}

}  // namespace

// A 64-bit process places memory anywhere: walk the free regions below
// 4 GiB and take the first that fits.
void* map_low(size_t bytes) {
#if defined(_WIN64)
    uintptr_t address = kGranularity;
    MEMORY_BASIC_INFORMATION region;
    while (address < k4GiB &&
           VirtualQuery(reinterpret_cast<void*>(address), &region, sizeof region)) {
        const uintptr_t start = reinterpret_cast<uintptr_t>(region.BaseAddress);
        const uintptr_t end = start + region.RegionSize;
        const uintptr_t aligned = (start + kGranularity - 1) & ~(kGranularity - 1);
        if (region.State == MEM_FREE && aligned < end && end - aligned >= bytes &&
            aligned + bytes <= k4GiB) {
            if (void* p = VirtualAlloc(reinterpret_cast<void*>(aligned), bytes,
                                       MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE))
                return p;
        }
        address = end;
    }
    throw std::bad_alloc();
#else
    void* p = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (!p) throw std::bad_alloc();
    return p;
#endif
}

void unmap(void* memory, size_t) { VirtualFree(memory, 0, MEM_RELEASE); }

void* open_library(const std::string& path, std::string& error) {
    HMODULE library = LoadLibraryA(path.c_str());
    if (!library) error = "LoadLibrary error " + std::to_string(GetLastError());
    return reinterpret_cast<void*>(library);
}

void* library_symbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void close_library(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

// Read from the loaded image's export directory; exports without a name
// (by ordinal only) show as one entry that counts them.
std::set<std::string> library_exports(void* library, const std::string&) {
    std::set<std::string> names;
    const auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(
        directory(library, IMAGE_DIRECTORY_ENTRY_EXPORT));
    if (!exports) return names;
    const uint8_t* base = image_base(library);
    const auto* name_rvas = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + name_rvas[i]));
    if (exports->NumberOfFunctions > exports->NumberOfNames)
        names.insert(std::to_string(exports->NumberOfFunctions - exports->NumberOfNames) +
                     " exports by ordinal only");
    return names;
}

// Read from the loaded image's import directory, and its delay-load one.
std::set<std::string> library_imports(void* library) {
    std::set<std::string> names;
    const uint8_t* base = image_base(library);
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(
             directory(library, IMAGE_DIRECTORY_ENTRY_IMPORT));
         entry && entry->Name; ++entry)
        names.insert(reinterpret_cast<const char*>(base + entry->Name));
    for (auto* entry = reinterpret_cast<const IMAGE_DELAYLOAD_DESCRIPTOR*>(
             directory(library, IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT));
         entry && entry->DllNameRVA; ++entry)
        names.insert(reinterpret_cast<const char*>(base + entry->DllNameRVA));
    return names;
}

}  // namespace standin::platform
