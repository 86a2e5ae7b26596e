// `run OPERATION ARGS... [-o OUT.png]... [--time N]`: one call on pictures
// from files.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <deque>

#include "tools/arguments.h"
#include "tools/commands.h"
#include "tools/failure.h"
#include "tools/pending_file.h"
#include "tools/png_io.h"

namespace tool {
namespace {

// "blank:WxH" makes a transparent picture; anything else is a PNG path.
standin::Bitmap picture_argument(const std::string& word) {
    const std::string prefix = "blank:";
    if (word.compare(0, prefix.size(), prefix) != 0) return load_png(word);
    const std::vector<std::string> size = split_words(word.substr(prefix.size()), "x");
    int32_t width = 0, height = 0;
    if (size.size() != 2 || !parse_int32(size[0], width) || !parse_int32(size[1], height) ||
        width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide)
        throw Failure(kUsage, "'" + word + "' must be blank:WIDTHxHEIGHT, each 1 to " +
                                  std::to_string(kMaxPictureSide));
    return standin::Bitmap(width, height);
}

// "@FILE" is read from the file; anything else is the list itself.
std::string list_argument(const std::string& word) {
    if (word.empty() || word[0] != '@') return word;
    const std::string path = word.substr(1);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw Failure(kBadInput, "cannot read " + path + ": " + std::strerror(errno));
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, n);
    const bool failed = std::ferror(file);
    std::fclose(file);
    if (failed) throw Failure(kBadInput, "cannot read " + path);
    return text;
}

void print_result(const Operation& op, const Call& call, std::optional<int64_t> result) {
    if (result) std::printf("%lld\n", static_cast<long long>(*result));
    // Result buffers hold records of four integers: one record per line.
    for (size_t i = 0; i < op.params.size(); ++i) {
        if (op.params[i].kind != Kind::kResultInts) continue;
        const std::vector<int32_t>& ints = call.values[i].ints;
        for (size_t k = 0; k < ints.size(); ++k)
            std::printf("%d%c", ints[k], k % 4 == 3 || k + 1 == ints.size() ? '\n' : ' ');
    }
}

// `--time N`: N more calls, each on freshly bound arguments (the pictures
// read anew), and the fastest one's time on stderr.
void time_calls(const Operation& op, void* symbol, const std::vector<std::string>& words,
                int32_t times) {
    double fastest = 0;
    for (int32_t n = 0; n < times; ++n) {
        Call call = bind_arguments(op, words, Sources{picture_argument, list_argument});
        // A blank picture's pages are mapped on their first write: not in
        // the call's time.
        for (standin::Bitmap& bitmap : call.bitmaps)
            if (bitmap.has_surface() && bitmap.width() > 0 && bitmap.height() > 0)
                bitmap.set_pixels(bitmap.pixels());
        const auto start = std::chrono::steady_clock::now();
        op.invoke(symbol, call);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        fastest = n == 0 ? took.count() : std::min(fastest, took.count());
    }
    std::fprintf(stderr, "fastest of %d calls: %.4f ms\n", times, fastest);
}

}  // namespace

int run_command(const Libraries& libraries, const std::vector<std::string>& args) {
    if (args.empty()) throw Failure(kUsage, "run needs an operation (see 'lumoria-tool list')");
    const Operation* op = find_operation(args[0]);
    if (!op) throw Failure(kUsage, "unknown operation '" + args[0] + "' (see 'lumoria-tool list')");
    std::vector<std::string> words, outputs;
    int32_t times = 0;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] != "-o" && args[i] != "--time") {
            words.push_back(args[i]);
        } else if (i + 1 < args.size() && args[i] == "--time") {
            if (!parse_int32(args[++i], times) || times < 1)
                throw Failure(kUsage, "--time needs a count of at least 1");
        } else if (i + 1 < args.size()) {
            outputs.push_back(args[++i]);
        } else {
            throw Failure(kUsage, "-o needs a path");
        }
    }
    void* symbol = libraries.symbol(*op);
    if (!symbol)
        throw Failure(kNotBuilt,
                      std::string(op->name) + " is not built in " + libraries.path(op->library));

    Call call = bind_arguments(*op, words, Sources{picture_argument, list_argument});
    std::vector<size_t> changed;
    for (size_t i = 0; i < op->params.size(); ++i)
        if (op->params[i].kind == Kind::kBitmapOut) changed.push_back(i);
    if (outputs.size() > changed.size())
        throw Failure(kUsage, std::string(op->name) + " changes " + std::to_string(changed.size()) +
                                  " picture(s), got " + std::to_string(outputs.size()) +
                                  " -o paths");
    // Outputs are opened before the call, so an unwritable path costs nothing,
    // and renamed into place only once every one of them is written.
    std::deque<PendingFile> files;
    for (const std::string& path : outputs) files.emplace_back(path);

    const std::optional<int64_t> result = op->invoke(symbol, call);
    for (size_t k = 0; k < files.size(); ++k)
        write_png(call.bitmap_of(changed[k]), files[k].stream(), files[k].path());
    for (PendingFile& file : files) file.commit();
    print_result(*op, call, result);
    if (times > 0) time_calls(*op, symbol, words, times);
    return kOk;
}

}  // namespace tool
