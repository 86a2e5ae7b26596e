// Loads a library and binds its exports by symbol name, as the engine does.
#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace standin {

class Library {
  public:
    explicit Library(const std::string& path);  // throws std::runtime_error
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    void* symbol(const char* name) const;   // null when missing
    std::set<std::string> exports() const;  // every name the library exports
#if defined(_WIN32)
    std::set<std::string> imports() const;  // the DLLs it needs loaded
#endif

    template <class F>
    F fn(const char* name) const {
        return reinterpret_cast<F>(require(name));
    }

  private:
    void* require(const char* name) const;  // throws when missing
    std::string path_;
    void* handle_ = nullptr;
};

}  // namespace standin

namespace standin {

// An export's type as an engine script calls it: the same arguments, the
// result read as a whole 32-bit integer, whatever its C type.
template <class F>
struct Int32ResultOf;
template <class R, class... A>
struct Int32ResultOf<R (*)(A...)> {
    using type = int32_t (*)(A...);
};
template <class F>
using Int32Result = typename Int32ResultOf<F>::type;

}  // namespace standin

// Binds an export of `lib` with the type its public header declares.
#define STANDIN_BIND(lib, name) ((lib).fn<decltype(&::name)>(#name))
