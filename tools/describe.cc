#include "tools/describe.h"

#include "tools/operations.h"

namespace tool {
namespace {

// The table's texts hold no quotes, backslashes or control characters.
std::string quoted(const char* text) { return std::string("\"") + text + "\""; }

const char* kind_name(Kind kind) {
    switch (kind) {
        case Kind::kInteger: return "integer";
        case Kind::kBitmapIn: return "bitmap_in";
        case Kind::kBitmapOut: return "bitmap_out";
        case Kind::kInts: return "ints";
        case Kind::kFloats: return "floats";
        case Kind::kResultInts: return "result_ints";
    }
    return "";
}

const char* library_name(LibraryId library) {
    return library == LibraryId::kLumoria ? "lumoria" : "Quorvex";
}

std::string param_json(const Param& param) {
    std::string text =
        "{\"name\":" + quoted(param.name) + ",\"kind\":" + quoted(kind_name(param.kind));
    if (param.fixed_count > 0) text += ",\"count\":" + std::to_string(param.fixed_count);
    if (param.count_text) text += ",\"count_text\":" + quoted(param.count_text);
    return text + "}";
}

template <class T, class F>
std::string list(const std::vector<T>& items, F item_json) {
    std::string text = "[";
    for (const T& item : items) text += (text.size() > 1 ? "," : "") + item_json(item);
    return text + "]";
}

}  // namespace

std::string describe_json() {
    std::string text =
        "{\"libraries\":[{\"name\":\"lumoria\",\"done\":1,\"refused\":0},"
        "{\"name\":\"Quorvex\",\"done\":0,\"refused\":1}],\n\"exports\":[\n";
    bool first = true;
    for (const Operation& op : operations()) {
        text += first ? "" : ",\n";
        first = false;
        text += "{\"name\":" + quoted(op.name) + ",\"symbol\":" + quoted(op.symbol) +
                ",\"library\":" + quoted(library_name(op.library)) +
                ",\"group\":" + quoted(op.group) + ",\"result\":" + quoted(op.result_type) +
                ",\"params\":" + list(op.params, param_json) +
                ",\"demos\":" + list(op.demos, [](const char* demo) { return quoted(demo); }) + "}";
    }
    return text + "\n]}\n";
}

}  // namespace tool
