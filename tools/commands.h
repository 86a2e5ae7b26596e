// The tool's commands. Each returns the exit code or throws Failure.
#pragma once

#include <string>
#include <vector>

#include "tools/libraries.h"

namespace tool {

int list_command(const Libraries& libraries);
int run_command(const Libraries& libraries, const std::vector<std::string>& args);
int demo_command(const Libraries& libraries, const std::vector<std::string>& args);

}  // namespace tool
