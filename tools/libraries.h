// Both libraries, loaded with dlopen as the engine loads them.
#pragma once

#include <string>

#include "standin/library.h"
#include "tools/operations.h"

namespace tool {

class Libraries {
  public:
    Libraries(const std::string& lumoria_path, const std::string& quorvex_path);

    // The export's address, or null when its library lacks it.
    void* symbol(const Operation& op) const;
    const std::string& path(LibraryId id) const;

  private:
    std::string lumoria_path_, quorvex_path_;
    standin::Library lumoria_, quorvex_;
};

}  // namespace tool
