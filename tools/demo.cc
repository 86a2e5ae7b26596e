// `demo [OUTDIR]`: calls every export that the libraries have on built-in
// pictures and writes a contact sheet, OUTDIR/index.html, with the pictures
// before and after each call.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/arguments.h"
#include "tools/commands.h"
#include "tools/failure.h"
#include "tools/pending_file.h"
#include "tools/pictures.h"
#include "tools/png_io.h"

namespace tool {
namespace {

struct PlannedCall {
    const Operation* op;
    void* symbol;
    std::vector<std::string> words;
};

std::string escape_html(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string input_file(const std::string& picture) { return "in-" + picture + ".png"; }

// Pictures are shown at twice their size, over a checkerboard where they are
// transparent.
std::string figure(const std::string& file, const standin::Bitmap& bitmap,
                   const std::string& caption, const char* css_class) {
    return "<figure><img class=\"" + std::string(css_class) + "\" src=\"" + escape_html(file) +
           "\" width=\"" + std::to_string(2 * bitmap.width()) + "\" height=\"" +
           std::to_string(2 * bitmap.height()) + "\" alt=\"\"><figcaption>" + escape_html(caption) +
           "</figcaption></figure>\n";
}

std::string result_text(const Operation& op, const Call& call, std::optional<int64_t> result) {
    std::string text = result ? " &rarr; " + std::to_string(*result) : "";
    for (size_t i = 0; i < op.params.size(); ++i) {
        if (op.params[i].kind != Kind::kResultInts) continue;
        const std::vector<int32_t>& ints = call.values[i].ints;
        text += "<br>" + std::string(op.params[i].name) + " holds " + std::to_string(ints.size()) +
                " integers, starting";
        for (size_t k = 0; k < ints.size() && k < 8; ++k) text += " " + std::to_string(ints[k]);
    }
    return text;
}

// Makes one call and returns its section of the sheet. The pictures it
// changes (or, when it changes none, the first it reads) are saved as
// NNN-operation-argument.png.
std::string demo_call(const PlannedCall& planned, int number, const std::string& directory) {
    const Operation& op = *planned.op;
    const Sources built_in{picture,
                           [](const std::string& word) { return array_text(word).value_or(word); }};
    Call call = bind_arguments(op, planned.words, built_in);
    const std::optional<int64_t> result = op.invoke(planned.symbol, call);

    std::string before, after;
    std::vector<size_t> shown_after;
    std::optional<size_t> first_bitmap;
    for (size_t i = 0; i < op.params.size(); ++i) {
        const Param& param = op.params[i];
        if (!is_bitmap(param.kind)) continue;
        const bool changed = param.kind == Kind::kBitmapOut;
        before += figure(input_file(call.values[i].word), call.bitmap_of(i),
                         std::string(param.name) + (changed ? " before" : ""), "before");
        if (changed) shown_after.push_back(i);
        if (!first_bitmap) first_bitmap = i;
    }
    if (shown_after.empty() && first_bitmap) shown_after.push_back(*first_bitmap);
    for (size_t i : shown_after) {
        char file[160];
        std::snprintf(file, sizeof file, "%03d-%s-%s.png", number, op.name, op.params[i].name);
        save_png(call.bitmap_of(i), directory + "/" + file);
        after +=
            figure(file, call.bitmap_of(i), std::string(op.params[i].name) + " after", "after");
    }
    return "<section class=\"call\">\n<div class=\"pictures\">\n" + before +
           (after.empty() ? "" : "<span class=\"arrow\">&rarr;</span>\n" + after) +
           "</div>\n<p><code>" + escape_html(describe_call(op, planned.words)) + "</code>" +
           result_text(op, call, result) + "</p>\n</section>\n";
}

const char kHead[] = R"(<!doctype html>
<html><head><meta charset="utf-8"><title>lumoria and Quorvex gallery</title>
<style>
body { font-family: sans-serif; margin: 2em; background: #eee; color: #222; }
section { background: #fff; margin: 1em 0; padding: 1em; border-radius: 6px; }
.pictures { display: flex; flex-wrap: wrap; align-items: center; gap: 1em; }
.arrow { font-size: 2em; color: #888; }
figure { margin: 0; text-align: center; font-size: small; color: #555; }
img { image-rendering: pixelated; background-color: #fff;
      background-image: linear-gradient(45deg, #ccc 25%, transparent 25%, transparent 75%, #ccc 75%),
                        linear-gradient(45deg, #ccc 25%, transparent 25%, transparent 75%, #ccc 75%);
      background-size: 16px 16px; background-position: 0 0, 8px 8px; }
code { font-size: 1.05em; }
</style></head><body>
<h1>lumoria and Quorvex gallery</h1>
<p>Every call below ran on the built-in pictures through the libraries' exports, as the engine
calls them. Pictures are shown at twice their size; the checkerboard shows through where they
are transparent.</p>
)";

}  // namespace

int demo_command(const Libraries& libraries, const std::vector<std::string>& args) {
    if (args.size() > 1) throw Failure(kUsage, "demo takes at most one argument, the folder");
    const std::string directory = args.empty() ? "gallery" : args[0];
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) throw Failure(kBadOutput, "cannot create " + directory + ": " + error.message());

    std::vector<PlannedCall> plan;
    std::string missing;
    for (const Operation& op : operations()) {
        void* symbol = libraries.symbol(op);
        if (!symbol) {
            missing += std::string(missing.empty() ? "" : ", ") + op.name;
            continue;
        }
        for (const char* line : op.demos) plan.push_back({&op, symbol, split_words(line)});
    }

    if (!missing.empty()) std::fprintf(stderr, "skipping what is not built: %s\n", missing.c_str());
    for (const std::string& name : picture_names())
        save_png(picture(name), directory + "/" + input_file(name));
    std::string sheet = kHead;
    for (size_t i = 0; i < plan.size(); ++i) {
        const Operation& op = *plan[i].op;
        std::fprintf(stderr, "%zu of %zu: %s\n", i + 1, plan.size(),
                     describe_call(op, plan[i].words).c_str());
        if (i == 0 || plan[i - 1].op != &op) sheet += "<h2>" + std::string(op.name) + "</h2>\n";
        sheet += demo_call(plan[i], static_cast<int>(i + 1), directory);
    }
    if (!missing.empty()) sheet += "<p>Not built in these libraries: " + missing + ".</p>\n";
    sheet += "</body></html>\n";
    const std::string index = directory + "/index.html";
    write_text_file(index, sheet);
    std::printf("%s\n", index.c_str());
    return kOk;
}

}  // namespace tool
