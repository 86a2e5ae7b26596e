/* lumoria: raster operations on the engine's own bitmaps.
 *
 * Every bitmap argument is a handle of an engine bitmap object (see the
 * README for the layout). Status results are 1 when the work was done and 0
 * when the call was refused; boolean results are one byte. A refused call
 * writes nothing. Arguments outside their documented ranges are not refused:
 * they go through the same 32-bit arithmetic.
 */
#ifndef LUMORIA_H
#define LUMORIA_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

/* Only the operations are exported: on Windows as plain cdecl names. */
#if defined(LUMORIA_BUILDING) && defined(_WIN32)
#define LUMORIA_API __declspec(dllexport)
#elif defined(LUMORIA_BUILDING) && defined(__EMSCRIPTEN__)
/* WebAssembly: kept and exported from the module under the same names. */
#define LUMORIA_API __attribute__((used, visibility("default")))
#elif defined(LUMORIA_BUILDING)
#define LUMORIA_API __attribute__((visibility("default")))
#else
#define LUMORIA_API
#endif

/* Boolean results are one byte to the caller. The libraries themselves are
 * built returning them as a 32-bit 0 or 1, the same byte in the same
 * register, so that a host reading the whole 32-bit register sees 0 or 1. */
#ifdef LUMORIA_BUILDING
#define LUMORIA_BOOL int32_t
#else
#define LUMORIA_BOOL bool
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Rectangles */
LUMORIA_API int32_t clear_rect(int32_t dest, int32_t x, int32_t y, int32_t width, int32_t height);
LUMORIA_API int32_t fill_rect(int32_t dest, int32_t x, int32_t y, int32_t width, int32_t height,
                              int32_t red, int32_t green, int32_t blue, int32_t alpha);

/* Block transfers */
LUMORIA_API int32_t blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx, int32_t sy,
                        int32_t width, int32_t height, int32_t opacity);
LUMORIA_API int32_t simple_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx,
                               int32_t sy, int32_t width, int32_t height);
LUMORIA_API int32_t blend_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx,
                              int32_t sy, int32_t width, int32_t height, int32_t mode,
                              int32_t opacity);
LUMORIA_API int32_t transfer_blt(int32_t dest, int32_t src, int32_t dx, int32_t dy, int32_t sx,
                                 int32_t sy, int32_t width, int32_t height, int32_t mode,
                                 int32_t opacity);

/* Transitions, tile maps, splitting */
LUMORIA_API LUMORIA_BOOL transition_in(int32_t dest, int32_t mask, int32_t progress, int32_t total,
                                       int32_t softness, int32_t x, int32_t y);
LUMORIA_API LUMORIA_BOOL transition_out(int32_t dest, int32_t mask, int32_t progress, int32_t total,
                                        int32_t softness, int32_t x, int32_t y);
LUMORIA_API LUMORIA_BOOL draw_map(const int32_t* tiles, const int32_t* keys, const int32_t* dims,
                                  int32_t tileset, int32_t unused5, int32_t dest, int32_t unused7,
                                  int32_t unused8, int32_t key);
LUMORIA_API LUMORIA_BOOL split_bitmap(int32_t src, int32_t dest, int32_t step_y, int32_t step_x);

/* Colour filters */
LUMORIA_API int32_t tint(int32_t dest, int32_t amount, int32_t red, int32_t green, int32_t blue);
LUMORIA_API int32_t colorize(int32_t dest, int32_t amount, int32_t red, int32_t green,
                             int32_t blue);
LUMORIA_API int32_t grayscale(int32_t dest, int32_t amount);
LUMORIA_API int32_t negative(int32_t dest);
LUMORIA_API LUMORIA_BOOL table_lookup(int32_t dest, const int32_t* table, int32_t map_alpha);

/* Spatial effects */
LUMORIA_API LUMORIA_BOOL pixelize(int32_t dest, int32_t block_width, int32_t block_height);
LUMORIA_API int32_t ripple(int32_t dest, int32_t src, int32_t scale, int32_t amplitude,
                           int32_t vertical);
LUMORIA_API int32_t ripple_circ(int32_t dest, int32_t cx, int32_t cy, int32_t phase, int32_t period,
                                int32_t strength, int32_t radius);
LUMORIA_API LUMORIA_BOOL radial_blur(int32_t dest, int32_t src, int32_t samples, int32_t reserved,
                                     int32_t scaled);

/* Shapes */
LUMORIA_API int32_t draw_circle(int32_t dest, int32_t cx, int32_t cy, int32_t radius,
                                int32_t thickness, int32_t start_angle, int32_t end_angle,
                                int32_t red, int32_t green, int32_t blue, int32_t alpha);
LUMORIA_API int32_t draw_ellipse(int32_t dest, int32_t cx, int32_t cy, int32_t radius_x,
                                 int32_t radius_y, int32_t thickness, int32_t reserved1,
                                 int32_t reserved2, int32_t red, int32_t green, int32_t blue,
                                 int32_t alpha);

/* Read-back and timing probes */
LUMORIA_API void get_pixels(int32_t bitmap, int32_t* out);
LUMORIA_API void test(const int32_t* values, int32_t unused, int32_t n);
LUMORIA_API void test2(void);

#ifdef __cplusplus
} /* extern "C" */

/* Exported under its C++ name, _Z9get_pixelliii on Linux and Windows; a C
 * host binds that symbol with dlsym or GetProcAddress. The handle is the low
 * 32 bits of `bitmap`. */
LUMORIA_API int get_pixel(long bitmap, int x, int y, int channel);
#endif

#endif /* LUMORIA_H */
