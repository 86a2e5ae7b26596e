#include "standin/library.h"

#include <dlfcn.h>

#include <stdexcept>

namespace standin {

Library::Library(const std::string& path) : handle_(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (!handle_) throw std::runtime_error(std::string("cannot load ") + path + ": " + dlerror());
}

Library::~Library() { dlclose(handle_); }

void* Library::symbol(const char* name) const { return dlsym(handle_, name); }

void* Library::require(const char* name) const {
    void* p = symbol(name);
    if (!p) throw std::runtime_error(std::string("missing export ") + name);
    return p;
}

}  // namespace standin
