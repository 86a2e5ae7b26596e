// Turns the words of a command line (or of a demo line) into the bound
// arguments of one call, checking every value so that the call gets exactly
// what its declaration promises.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/operations.h"

namespace tool {

// Where the bitmap and array arguments come from: files for `run`, built-in
// pictures and arrays for `demo`.
struct Sources {
    std::function<standin::Bitmap(const std::string& word)> bitmap;
    // The text of an array argument: numbers separated by commas or spaces.
    std::function<std::string(const std::string& word)> list;
};

// Throws Failure(kUsage) for a wrong count or kind of argument.
Call bind_arguments(const Operation& op, const std::vector<std::string>& words,
                    const Sources& sources);

// "blt(dest=scene, src=sprite, dx=40, ...)"
std::string describe_call(const Operation& op, const std::vector<std::string>& words);

// "dest:png! src:png dx dy ..." as `list` shows the arguments.
std::string describe_params(const Operation& op);

// A decimal 32-bit integer and nothing else.
bool parse_int32(const std::string& word, int32_t& out);

// The words of `line` between any of the separator characters.
std::vector<std::string> split_words(const std::string& line, std::string_view separators = " ");

}  // namespace tool
