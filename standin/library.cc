#include "standin/library.h"

#include <stdexcept>

#include "standin/platform.h"

namespace standin {

Library::Library(const std::string& path) : path_(path) {
    std::string error;
    handle_ = platform::open_library(path, error);
    if (!handle_) throw std::runtime_error("cannot load " + path + ": " + error);
}

Library::~Library() { platform::close_library(handle_); }

void* Library::symbol(const char* name) const { return platform::library_symbol(handle_, name); }

std::set<std::string> Library::exports() const { return platform::library_exports(handle_, path_); }

#if defined(_WIN32)
std::set<std::string> Library::imports() const { return platform::library_imports(handle_); }
#endif

void* Library::require(const char* name) const {
    void* p = symbol(name);
    if (!p) throw std::runtime_error(std::string("missing export ") + name);
    return p;
}

}  // namespace standin
