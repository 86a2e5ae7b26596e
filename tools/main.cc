// lumoria-tool: a command-line host for the two libraries. It loads them with
// dlopen and calls their exports by symbol name, as the engine does.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "tools/commands.h"
#include "tools/describe.h"
#include "tools/failure.h"

namespace {

const char kUsageText[] =
    "usage: lumoria-tool [--lumoria PATH] [--quorvex PATH] COMMAND\n"
    "  list                    every export with its arguments\n"
    "  describe                the same as JSON, for the web playground\n"
    "  demo [OUTDIR]           call every export on built-in pictures and write\n"
    "                          OUTDIR/index.html (default OUTDIR: gallery)\n"
    "  run OPERATION ARGS... [-o OUT.png]...\n"
    "                          call one export: pictures are PNG paths (or blank:WxH),\n"
    "                          arrays @FILE or a comma list; the pictures it changes are\n"
    "                          saved, in order, to the -o paths; prints the result;\n"
    "                          --time N: N more calls, the fastest one's time on stderr\n"
    "The libraries are the build's own unless --lumoria/--quorvex or the environment\n"
    "variables LUMORIA_LIBRARY/QUORVEX_LIBRARY name others.\n";

std::string library_path(const char* variable, const char* built) {
    const char* value = std::getenv(variable);
    return value && *value ? value : built;
}

int dispatch(const std::vector<std::string>& args) {
    std::string lumoria = library_path("LUMORIA_LIBRARY", LUMORIA_SO);
    std::string quorvex = library_path("QUORVEX_LIBRARY", QUORVEX_SO);
    size_t i = 0;
    for (; i < args.size() && (args[i] == "--lumoria" || args[i] == "--quorvex"); i += 2) {
        if (i + 1 == args.size()) throw tool::Failure(tool::kUsage, args[i] + " needs a path");
        (args[i] == "--lumoria" ? lumoria : quorvex) = args[i + 1];
    }
    if (i == args.size()) throw tool::Failure(tool::kUsage, "no command (try 'lumoria-tool help')");
    const std::string& command = args[i];
    if (command == "help" || command == "--help" || command == "-h") {
        std::printf("%s", kUsageText);
        return tool::kOk;
    }
    // The table alone: no library is loaded.
    if (command == "describe") {
        if (i + 1 != args.size()) throw tool::Failure(tool::kUsage, "describe takes no arguments");
        std::printf("%s", tool::describe_json().c_str());
        return tool::kOk;
    }
    const std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    if (command != "list" && command != "run" && command != "demo")
        throw tool::Failure(tool::kUsage,
                            "unknown command '" + command + "' (try 'lumoria-tool help')");
    const tool::Libraries libraries(lumoria, quorvex);
    if (command == "list") return tool::list_command(libraries);
    if (command == "run") return tool::run_command(libraries, rest);
    return tool::demo_command(libraries, rest);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const tool::Failure& failure) {
        std::fprintf(stderr, "lumoria-tool: %s\n", failure.what());
        return failure.code;
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "lumoria-tool: out of memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lumoria-tool: %s\n", e.what());
    }
    return tool::kInternal;
}
