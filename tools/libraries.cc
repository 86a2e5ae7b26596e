#include "tools/libraries.h"

#include <stdexcept>

#include "tools/failure.h"

namespace tool {
namespace {

standin::Library load(const std::string& path) {
    try {
        return standin::Library(path);
    } catch (const std::runtime_error& e) {
        throw Failure(kInternal, e.what());
    }
}

}  // namespace

Libraries::Libraries(const std::string& lumoria_path, const std::string& quorvex_path)
    : lumoria_path_(lumoria_path),
      quorvex_path_(quorvex_path),
      lumoria_(load(lumoria_path)),
      quorvex_(load(quorvex_path)) {}

void* Libraries::symbol(const Operation& op) const {
    return (op.library == LibraryId::kLumoria ? lumoria_ : quorvex_).symbol(op.symbol);
}

const std::string& Libraries::path(LibraryId id) const {
    return id == LibraryId::kLumoria ? lumoria_path_ : quorvex_path_;
}

}  // namespace tool
