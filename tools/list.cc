// `list`: every export with its arguments, in the order of the public
// headers, marking those that the loaded library lacks.
#include <cstdio>

#include "tools/arguments.h"
#include "tools/commands.h"
#include "tools/failure.h"

namespace tool {

int list_command(const Libraries& libraries) {
    std::printf(
        "Arguments: NAME is an integer; NAME:png a picture the call reads, NAME:png! one it\n"
        "changes; NAME:ints[N] or NAME:floats[N] an array (@FILE or a comma list);\n"
        "NAME:printed[N] a buffer the call fills and the tool prints.\n");
    const Operation* previous = nullptr;
    for (const Operation& op : operations()) {
        if (!previous || previous->library != op.library) {
            const bool lumoria = op.library == LibraryId::kLumoria;
            std::printf("\n%s (%s): statuses are %s\n", lumoria ? "lumoria" : "Quorvex",
                        libraries.path(op.library).c_str(),
                        lumoria ? "1 when done, 0 when refused" : "0 when done, 1 when refused");
        }
        previous = &op;
        const std::string params = describe_params(op);
        std::printf("  %-14s %s%s-> %s%s\n", op.name, params.c_str(), params.empty() ? "" : " ",
                    op.result_type, libraries.symbol(op) ? "" : "  (not built)");
    }
    return kOk;
}

}  // namespace tool
