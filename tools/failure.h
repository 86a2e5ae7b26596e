// Errors the tool reports to its user: one line on stderr and an exit code
// that tells the kind of failure apart.
#pragma once

#include <stdexcept>
#include <string>

namespace tool {

enum ExitCode : int {
    kOk = 0,
    kInternal = 1,   // a library that does not load, memory exhausted
    kUsage = 2,      // unknown command or operation, wrong arguments
    kBadInput = 3,   // a missing, corrupt or oversized input file
    kBadOutput = 4,  // an output that cannot be written
    kNotBuilt = 5,   // the operation is missing from its library
};

struct Failure : std::runtime_error {
    Failure(ExitCode exit_code, const std::string& message)
        : std::runtime_error(message), code(exit_code) {}
    ExitCode code;
};

}  // namespace tool
