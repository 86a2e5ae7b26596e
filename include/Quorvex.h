/* Quorvex: affine resampling and colour fill on the engine's own bitmaps.
 *
 * Results are 0 when the work was done and 1 when the call was refused (the
 * opposite of lumoria). The only refusal is a bitmap without a surface.
 */
#ifndef QUORVEX_H
#define QUORVEX_H

#include <stdint.h>

/* Only the operations are exported: on Windows as plain cdecl names. */
#if defined(QUORVEX_BUILDING) && defined(_WIN32)
#define QUORVEX_API __declspec(dllexport)
#elif defined(QUORVEX_BUILDING) && defined(__EMSCRIPTEN__)
/* WebAssembly: kept and exported from the module under the same names. */
#define QUORVEX_API __attribute__((used, visibility("default")))
#elif defined(QUORVEX_BUILDING)
#define QUORVEX_API __attribute__((visibility("default")))
#else
#define QUORVEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Redraws src into dest through the 3x3 matrix (nine floats, row-major,
 * source to destination about the two centres). mode 1 is bilinear, every
 * other value nearest-pixel. */
QUORVEX_API int32_t Quorvex(int32_t src, int32_t dest, const float* matrix, int32_t mode);

/* Sets blue, green and red of every pixel from color[2], color[1], color[0];
 * alpha is kept. */
QUORVEX_API int32_t fill_color(int32_t dest, const float* color);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* QUORVEX_H */
