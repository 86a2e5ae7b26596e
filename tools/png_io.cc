#include "tools/png_io.h"

#include <png.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tools/failure.h"
#include "tools/pending_file.h"

namespace tool {
namespace {

// libpng reports errors by longjmp. Each function that calls into libpng
// sets its own jump point and holds no C++ objects, so the jump skips no
// destructor; the message is kept in an ErrorText.
struct ErrorText {
    char text[200] = "";
};

void on_error(png_structp png, png_const_charp message) {
    auto* error = static_cast<ErrorText*>(png_get_error_ptr(png));
    std::snprintf(error->text, sizeof error->text, "%s", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}

// Reads the header and asks for 8-bit blue, green, red, alpha rows whatever
// the file holds. False on a libpng error.
bool read_header(png_structp png, png_infop info, std::FILE* stream) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, stream);
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    const int colour_type = png_get_color_type(png, info);
    png_set_expand(png);  // palette to RGB, small greys to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    if (colour_type == PNG_COLOR_TYPE_GRAY || colour_type == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_filler(png, 0xff, PNG_FILLER_AFTER);  // opaque where there is no alpha
    png_set_bgr(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return true;
}

bool read_rows(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

bool write_rows(png_structp png, png_infop info, std::FILE* stream, png_uint_32 width,
                png_uint_32 height, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_init_io(png, stream);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

// Row pointers in PNG order (top row first) into the bitmap's own rows, so
// that libpng reads and writes the engine's memory directly.
std::vector<png_bytep> rows_of(const standin::Bitmap& bitmap) {
    std::vector<png_bytep> rows(static_cast<size_t>(bitmap.height()));
    for (int32_t y = 0; y < bitmap.height(); ++y) rows[static_cast<size_t>(y)] = bitmap.row(y);
    return rows;
}

standin::Bitmap allocate(png_uint_32 width, png_uint_32 height, const std::string& path) {
    try {
        return standin::Bitmap(static_cast<int32_t>(width), static_cast<int32_t>(height));
    } catch (const std::exception&) {
        throw Failure(kBadInput,
                      path + " is too large for the memory below 4 GiB: " + std::to_string(width) +
                          " x " + std::to_string(height) + " pixels");
    }
}

struct ReadStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~ReadStructs() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct WriteStructs {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~WriteStructs() { png_destroy_write_struct(&png, &info); }
};

struct File {
    std::FILE* stream;
    ~File() {
        if (stream) std::fclose(stream);
    }
};

}  // namespace

standin::Bitmap load_png(const std::string& path) {
    const File file{std::fopen(path.c_str(), "rb")};
    if (!file.stream) throw Failure(kBadInput, "cannot read " + path + ": " + std::strerror(errno));
    png_byte signature[8];
    if (std::fread(signature, 1, sizeof signature, file.stream) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0)
        throw Failure(kBadInput, path + " is not a PNG file");

    ErrorText error;
    ReadStructs structs;
    structs.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &error, on_error, on_warning);
    if (structs.png) structs.info = png_create_info_struct(structs.png);
    if (!structs.info) throw Failure(kInternal, "out of memory reading " + path);
    if (!read_header(structs.png, structs.info, file.stream))
        throw Failure(kBadInput, path + " is a corrupt PNG file: " + error.text);

    const png_uint_32 width = png_get_image_width(structs.png, structs.info);
    const png_uint_32 height = png_get_image_height(structs.png, structs.info);
    if (width > kMaxPictureSide || height > kMaxPictureSide)
        throw Failure(kBadInput, path + " is too large: " + std::to_string(width) + " x " +
                                     std::to_string(height) + " pixels (at most " +
                                     std::to_string(kMaxPictureSide) + " on a side)");
    if (png_get_rowbytes(structs.png, structs.info) != size_t{width} * 4)
        throw Failure(kBadInput, path + " has a pixel format that cannot be converted");

    standin::Bitmap bitmap = allocate(width, height, path);
    std::vector<png_bytep> rows = rows_of(bitmap);
    if (!read_rows(structs.png, rows.data()))
        throw Failure(kBadInput, path + " is a corrupt PNG file: " + error.text);
    return bitmap;
}

void write_png(const standin::Bitmap& bitmap, std::FILE* stream, const std::string& name) {
    if (bitmap.width() <= 0 || bitmap.height() <= 0)
        throw Failure(kBadOutput, "cannot write " + name + ": the picture is empty");
    ErrorText error;
    WriteStructs structs;
    structs.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &error, on_error, on_warning);
    if (structs.png) structs.info = png_create_info_struct(structs.png);
    if (!structs.info) throw Failure(kInternal, "out of memory writing " + name);
    std::vector<png_bytep> rows = rows_of(bitmap);
    if (!write_rows(structs.png, structs.info, stream, static_cast<png_uint_32>(bitmap.width()),
                    static_cast<png_uint_32>(bitmap.height()), rows.data()))
        throw Failure(kBadOutput, "cannot write " + name + ": " + error.text);
}

void save_png(const standin::Bitmap& bitmap, const std::string& path) {
    PendingFile file(path);
    write_png(bitmap, file.stream(), path);
    file.commit();
}

}  // namespace tool
