// The operation table as JSON, for programs outside C++ (the web playground
// and its JavaScript module) that call the same exports.
#pragma once

#include <string>

namespace tool {

// {"libraries": [...], "exports": [{"name", "symbol", "library", "group",
// "result", "params": [{"name", "kind", "count" | "count_text"}],
// "demos": [argument lines]}]}, every export in the table's order.
std::string describe_json();

}  // namespace tool
