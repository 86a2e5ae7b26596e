// The operation table: every export of both libraries, described once. An
// entry names the export, its arguments and the arguments the demo calls it
// with; its C type comes from the public header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "standin/bitmap.h"

namespace tool {

enum class LibraryId { kLumoria, kQuorvex };

enum class Kind {
    kInteger,     // a 32-bit number
    kBitmapIn,    // a bitmap the call only reads
    kBitmapOut,   // a bitmap the call writes
    kInts,        // an array of 32-bit integers owned by the caller
    kFloats,      // an array of 32-bit floats owned by the caller
    kResultInts,  // an integer buffer the call fills; takes no argument word
};

inline bool is_bitmap(Kind kind) { return kind == Kind::kBitmapIn || kind == Kind::kBitmapOut; }

// An argument as bound for one call.
struct Value {
    std::string word;  // as given
    int32_t number = 0;
    int bitmap = -1;  // index into Call::bitmaps
    std::vector<int32_t> ints;
    std::vector<float> floats;
};

struct Call {
    std::vector<standin::Bitmap> bitmaps;
    std::vector<Value> values;  // one per parameter

    const standin::Bitmap& bitmap_of(size_t param) const {
        return bitmaps[static_cast<size_t>(values[param].bitmap)];
    }
};

// The least number of entries an array must hold, given the other
// arguments; negative when those arguments leave no array safe to pass.
using CountRule = int64_t (*)(const Call&);

struct Param {
    const char* name;
    Kind kind;
    int fixed_count = 0;               // arrays: exactly this many entries...
    CountRule rule = nullptr;          // ...or at least this many
    const char* count_text = nullptr;  // how `list` shows the count
};

struct Operation {
    LibraryId library;
    const char* group;  // the subsystem, as the public headers group the exports
    const char* name;
    const char* symbol;
    std::vector<Param> params;
    const char* result_type;  // "int", "bool" or "nothing"
    // Calls the export at `symbol` with the call's arguments; empty for a
    // function without a result.
    std::optional<int64_t> (*invoke)(void* symbol, Call& call);
    std::vector<const char*> demos;  // argument lines of the demo's calls
};

// Every export, in the order of the public headers.
const std::vector<Operation>& operations();
const Operation* find_operation(std::string_view name);

}  // namespace tool
