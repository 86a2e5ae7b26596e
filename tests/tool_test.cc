// lumoria-tool, run as a user runs it: PNG files in and out, its errors and
// exit codes, and the demo's contact sheet.
#include <png.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support.h"

namespace {

namespace fs = std::filesystem;

struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgba;  // top row first
};

// Written and read with libpng's own simple interface, independently of the
// tool's reader and writer.
void write_picture(const fs::path& path, const Picture& picture, uint32_t format) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = picture.width;
    image.height = picture.height;
    image.format = format;
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, picture.rgba.data(), 0, nullptr))
        << image.message;
}

Picture read_picture(const fs::path& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        ADD_FAILURE() << path << ": " << image.message;
        return picture;
    }
    image.format = PNG_FORMAT_RGBA;
    picture.width = image.width;
    picture.height = image.height;
    picture.rgba.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, picture.rgba.data(), 0, nullptr))
        ADD_FAILURE() << path << ": " << image.message;
    return picture;
}

// Every byte value in every channel, alpha 0 with colour included.
Picture varied_picture(uint32_t width, uint32_t height) {
    Picture p{width, height, std::vector<uint8_t>(size_t{width} * height * 4)};
    uint32_t state = 12345;
    for (size_t i = 0; i < p.rgba.size(); ++i) {
        state = state * 1103515245u + 12345u;
        p.rgba[i] = i < 1024 ? static_cast<uint8_t>(i / 4) : static_cast<uint8_t>(state >> 24);
    }
    return p;
}

struct Outcome {
    int code = -1;
    std::string out, err;
};

std::string slurp(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string quoted(const std::string& word) {
    std::string q = "'";
    for (char c : word) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

class Tool : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::path(::testing::TempDir()) / "lumoria-tool-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path file(const std::string& name) const { return dir_ / name; }

    Outcome run(const std::vector<std::string>& args) const {
        std::string command = quoted(LUMORIA_TOOL);
        for (const std::string& arg : args) command += " " + quoted(arg);
        command += " >" + quoted(file("stdout").string()) + " 2>" + quoted(file("stderr").string());
        const int status = std::system(command.c_str());
        Outcome outcome;
        outcome.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        outcome.out = slurp(file("stdout"));
        outcome.err = slurp(file("stderr"));
        fs::remove(file("stdout"));
        fs::remove(file("stderr"));
        return outcome;
    }

    // Whether the loaded libraries have an export (`list` marks those missing).
    bool built(const std::string& name) const {
        const std::string listing = run({"list"}).out;
        const std::regex line("\\n  " + name + " +[^\\n]*");
        std::smatch match;
        return std::regex_search(listing, match, line) &&
               match.str().find("(not built)") == std::string::npos;
    }

    fs::path dir_;
};

TEST_F(Tool, PngToBitmapToPngKeepsEveryByteIncludingAlpha) {
    const Picture picture = varied_picture(37, 29);
    write_picture(file("in.png"), picture, PNG_FORMAT_RGBA);
    const Outcome outcome =
        run({"run", "clear_rect", file("in.png"), "0", "0", "0", "0", "-o", file("out.png")});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "1\n");
    const Picture out = read_picture(file("out.png"));
    EXPECT_EQ(out.width, 37u);
    EXPECT_EQ(out.height, 29u);
    EXPECT_TRUE(out.rgba == picture.rgba);
}

TEST_F(Tool, PixelsReachTheEngineInItsColourAndRowOrder) {
    Picture picture = varied_picture(5, 4);
    write_picture(file("in.png"), picture, PNG_FORMAT_RGBA);
    // fill_rect takes red, green, blue, alpha and stores them as the engine's
    // blue, green, red, alpha bytes at (x, y) counted from the top row.
    ASSERT_EQ(run({"run", "fill_rect", file("in.png"), "3", "1", "1", "1", "10", "20", "30", "40",
                   "-o", file("out.png")})
                  .code,
              0);
    const size_t at = (1 * 5 + 3) * 4;
    picture.rgba[at] = 10;
    picture.rgba[at + 1] = 20;
    picture.rgba[at + 2] = 30;
    picture.rgba[at + 3] = 40;
    EXPECT_TRUE(read_picture(file("out.png")).rgba == picture.rgba);
}

TEST_F(Tool, GreyPicturesLoadAsOpaqueGrey) {
    const Picture grey{2, 1, {0, 200}};
    write_picture(file("grey.png"), grey, PNG_FORMAT_GRAY);
    ASSERT_EQ(
        run({"run", "clear_rect", file("grey.png"), "0", "0", "0", "0", "-o", file("out.png")})
            .code,
        0);
    EXPECT_EQ(read_picture(file("out.png")).rgba,
              (std::vector<uint8_t>{0, 0, 0, 255, 200, 200, 200, 255}));
}

TEST_F(Tool, BadInputGetsOneLineAndItsExitCode) {
    write_picture(file("in.png"), varied_picture(8, 8), PNG_FORMAT_RGBA);
    const std::string png = slurp(file("in.png"));
    std::ofstream(file("truncated.png"), std::ios::binary) << png.substr(0, png.size() / 2);
    std::ofstream(file("text.png")) << "not a picture\n";
    write_picture(file("huge.png"), Picture{16385, 1, std::vector<uint8_t>(16385 * 4)},
                  PNG_FORMAT_RGBA);
    fs::create_directory(file("folder"));
    const std::string in = file("in.png"), out = file("out.png");
    const std::vector<std::string> fill = {"0", "0", "1", "1", "1", "2", "3", "4"};
    const auto fill_rect = [&](const std::string& picture, std::vector<std::string> tail) {
        std::vector<std::string> args = {"run", "fill_rect", picture};
        args.insert(args.end(), fill.begin(), fill.end());
        args.insert(args.end(), tail.begin(), tail.end());
        return args;
    };
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string message;
    };
    const std::string quorvex_so = QUORVEX_SO;
    const std::vector<Case> cases = {
        {{"frobnicate"}, 2, "unknown command"},
        {{"run", "no_such_operation", in}, 2, "unknown operation 'no_such_operation'"},
        {{"run", "fill_rect", in, "1", "2", "-o", out}, 2, "fill_rect takes 9 arguments"},
        {{"run", "fill_rect", in, "0", "left", "1", "1", "1", "2", "3", "4", "-o", out},
         2,
         "y must be a 32-bit integer, got 'left'"},
        {{"run", "fill_rect", in, "0", "4294967296", "1", "1", "1", "2", "3", "4"},
         2,
         "y must be a 32-bit integer"},
        {fill_rect(in, {"-o", out, "-o", file("second.png")}), 2, "changes 1 picture"},
        {fill_rect(file("absent.png"), {"-o", out}), 3, "cannot read"},
        {fill_rect(file("truncated.png"), {"-o", out}), 3, "corrupt PNG"},
        {fill_rect(file("text.png"), {"-o", out}), 3, "is not a PNG file"},
        {fill_rect(file("huge.png"), {"-o", out}), 3, "too large"},
        {fill_rect(in, {"-o", file("no/such/folder/out.png")}), 4, "cannot write"},
        {fill_rect(in, {"-o", file("folder")}), 4, "cannot write"},
        {{"--lumoria", quorvex_so, "run", "fill_rect", in, "0", "0", "1", "1", "1", "2", "3", "4",
          "-o", out},
         5,
         "fill_rect is not built"},
        {{"--lumoria", file("absent.so"), "list"}, 1, "cannot load"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = run(c.args);
        SCOPED_TRACE(c.message);
        EXPECT_EQ(outcome.code, c.code);
        EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
        EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
        EXPECT_EQ(outcome.err.rfind("lumoria-tool: ", 0), 0u) << outcome.err;
        EXPECT_FALSE(fs::exists(out));
    }
    // Nothing half-written is left behind: only the inputs and the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 5);
    EXPECT_TRUE(fs::is_empty(file("folder")));
}

TEST_F(Tool, ArraysMustHoldWhatTheCallReads) {
    write_picture(file("in.png"), varied_picture(64, 64), PNG_FORMAT_RGBA);
    const std::string in = file("in.png");
    if (built("table_lookup")) {
        EXPECT_EQ(run({"run", "table_lookup", in, "1,2,3", "0"}).code, 2);
        std::ofstream table(file("table.txt"));
        for (int k = 0; k < 256; ++k) table << 255 - k << (k % 16 == 15 ? "\n" : ", ");
        table.close();
        EXPECT_EQ(run({"run", "table_lookup", in, "@" + file("table.txt").string(), "0"}).code, 0);
        EXPECT_EQ(run({"run", "table_lookup", in, "@" + file("absent.txt").string(), "0"}).code, 3);
    }
    if (built("draw_map")) {
        // A 64 x 64 destination has 2 x 2 cells: one layer needs 4 entries.
        const std::vector<std::string> call = {
            "run", "draw_map", "384,384,384", "0,0,0,0", "0,0,1", in, "0", in, "0", "0", "0"};
        const Outcome outcome = run(call);
        EXPECT_EQ(outcome.code, 2);
        EXPECT_NE(outcome.err.find("tiles needs at least 4 numbers"), std::string::npos);
    }
    if (built("test")) {
        EXPECT_EQ(run({"run", "test", "1,2,3,4", "0", "-1"}).code, 2);
        // n = 0 reads entries 40 to 43.
        std::string values = "0";
        for (int k = 1; k < 43; ++k) values += ",0";
        EXPECT_EQ(run({"run", "test", values, "0", "0"}).code, 2);
        EXPECT_EQ(run({"run", "test", values + ",0", "0", "0"}).code, 0);
    }
    if (built("Quorvex")) {
        EXPECT_EQ(run({"run", "Quorvex", in, in, "1,0,0,0,1,0,0,0", "0"}).code, 2);
    }
}

TEST_F(Tool, ListShowsEveryExportInHeaderOrder) {
    const Outcome outcome = run({"list"});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    const char* const exports[] = {
        "clear_rect",   "fill_rect",    "blt",           "simple_blt",
        "blend_blt",    "transfer_blt", "transition_in", "transition_out",
        "draw_map",     "split_bitmap", "tint",          "colorize",
        "grayscale",    "negative",     "table_lookup",  "pixelize",
        "ripple",       "ripple_circ",  "radial_blur",   "draw_circle",
        "draw_ellipse", "get_pixels",   "test",          "test2",
        "get_pixel",    "Quorvex",      "fill_color"};
    // `describe` gives the same table as JSON, in the same order.
    const Outcome described = run({"describe"});
    ASSERT_EQ(described.code, 0) << described.err;
    size_t from = 0, json_from = 0;
    for (const char* name : exports) {
        const size_t at = outcome.out.find("\n  " + std::string(name) + " ", from);
        ASSERT_NE(at, std::string::npos) << name;
        from = at + 1;
        const size_t json_at =
            described.out.find("{\"name\":\"" + std::string(name) + "\"", json_from);
        ASSERT_NE(json_at, std::string::npos) << name;
        json_from = json_at + 1;
    }
    EXPECT_TRUE(built("clear_rect"));
}

TEST_F(Tool, TimedRunsCallAgainOnFreshArguments) {
    const Picture picture = varied_picture(37, 29);
    write_picture(file("in.png"), picture, PNG_FORMAT_RGBA);
    const Outcome outcome = run({"run", "clear_rect", file("in.png"), "0", "0", "37", "29",
                                 "--time", "3", "-o", file("out.png")});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.out, "1\n");
    EXPECT_TRUE(std::regex_match(outcome.err, std::regex("fastest of 3 calls: [0-9.]+ ms\n")))
        << outcome.err;
    EXPECT_TRUE(read_picture(file("out.png")).rgba == std::vector<uint8_t>(37 * 29 * 4, 0));
    EXPECT_EQ(run({"run", "clear_rect", file("in.png"), "0", "0", "1", "1", "--time", "0"}).code,
              2);
}

TEST_F(Tool, DemoWritesASheetWithAPictureForEveryCall) {
    const fs::path gallery = file("gallery");
    const Outcome outcome = run({"demo", gallery});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.out, (gallery / "index.html").string() + "\n");

    // Progress runs "1 of M" to "M of M".
    const std::regex progress("(\\d+) of (\\d+): ");
    int done = 0, calls = 0;
    for (auto it = std::sregex_iterator(outcome.err.begin(), outcome.err.end(), progress);
         it != std::sregex_iterator(); ++it) {
        EXPECT_EQ(std::stoi((*it)[1]), ++done);
        calls = std::stoi((*it)[2]);
    }
    EXPECT_EQ(done, calls);
    EXPECT_GE(calls, 4);  // clear_rect and fill_rect at least

    const std::string sheet = slurp(gallery / "index.html");
    const std::regex section("<section class=\"call\">([\\s\\S]*?)</section>");
    int sections = 0;
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), section);
         it != std::sregex_iterator(); ++it) {
        ++sections;
        const std::string body = (*it)[1];
        const bool before = body.find("class=\"before\"") != std::string::npos;
        const bool after = body.find("class=\"after\"") != std::string::npos;
        EXPECT_EQ(before, after) << body;
        EXPECT_NE(body.find("<code>"), std::string::npos);
    }
    EXPECT_EQ(sections, calls);

    const std::regex image("src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(sheet.begin(), sheet.end(), image);
         it != std::sregex_iterator(); ++it) {
        const Picture picture = read_picture(gallery / (*it)[1].str());
        EXPECT_GT(picture.width, 0u) << (*it)[1];
    }
}

}  // namespace
