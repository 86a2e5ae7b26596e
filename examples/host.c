/* A minimal engine written in C: it builds one bitmap object in the
 * engine's layout in memory below 4 GiB, draws on it through the installed
 * libraries and prints its pixels. */
#define _GNU_SOURCE
#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

#include <Quorvex.h>
#include <lumoria.h>

enum { kWidth = 4, kHeight = 3 };

/* Record offsets inside one mapping: object, host bitmap, surface info,
 * surface header, then the pixel rows (stored bottom-up). */
enum { kObject = 0, kHostBitmap = 32, kSurfaceInfo = 48, kHeader = 64, kPixels = 80 };

static void put32(uint8_t* at, uint32_t value) { memcpy(at, &value, 4); }
static uint32_t address(const uint8_t* p) { return (uint32_t)(uintptr_t)p; }

/* Zeroed memory wholly below 4 GiB, or NULL. */
static uint8_t* map_low(size_t bytes) {
#ifdef _WIN32
    /* A 32-bit process has nothing else; a 64-bit one asks for low
     * addresses, 64 KiB apart, until one is free. */
    uintptr_t at = 0;
#ifdef _WIN64
    for (at = 0x10000000u; at + bytes <= 0xFFFF0000u; at += 0x10000u)
#endif
    {
        void* m = VirtualAlloc((void*)at, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
        if (m) return (uint8_t*)m;
    }
    return NULL;
#else
    int flags = MAP_PRIVATE | MAP_ANONYMOUS;
#ifdef MAP_32BIT
    flags |= MAP_32BIT;
#endif
    uint8_t* m = mmap(NULL, bytes, PROT_READ | PROT_WRITE, flags, -1, 0);
    if (m == MAP_FAILED || (uint64_t)(uintptr_t)m + bytes > (UINT64_C(1) << 32)) return NULL;
    return m;
#endif
}

/* Returns the handle of a new bitmap, or 0 when no low memory is left. */
static int32_t make_bitmap(int32_t width, int32_t height, uint8_t** row0) {
    size_t bytes = kPixels + (size_t)width * (size_t)height * 4;
    uint8_t* m = map_low(bytes);
    if (!m) return 0;
    *row0 = m + kPixels + (size_t)(height - 1) * (size_t)width * 4;
    put32(m + kObject + 16, address(m + kHostBitmap));
    put32(m + kHostBitmap + 8, address(m + kSurfaceInfo));
    put32(m + kSurfaceInfo + 8, address(m + kHeader));
    put32(m + kSurfaceInfo + 12, address(*row0));
    put32(m + kHeader + 4, (uint32_t)width);
    put32(m + kHeader + 8, (uint32_t)height);
    return (int32_t)(address(m) >> 1); /* the object lives at handle * 2 */
}

int main(void) {
    uint8_t* row0;
    int32_t bitmap = make_bitmap(kWidth, kHeight, &row0);
    if (!bitmap) {
        fprintf(stderr, "no memory below 4 GiB\n");
        return 1;
    }
    fill_rect(bitmap, 0, 0, kWidth, kHeight, 200, 100, 50, 255);
    fill_rect(bitmap, -1, 1, 3, 5, 10, 20, 30, 40);
    clear_rect(bitmap, 3, 0, 1, 1);

    /* A 2 x 2 sprite: opaque, coloured by Quorvex, drawn over the corner. */
    uint8_t* sprite_row0;
    int32_t sprite = make_bitmap(2, 2, &sprite_row0);
    if (!sprite) {
        fprintf(stderr, "no memory below 4 GiB\n");
        return 1;
    }
    const float blue[3] = {0.0f, 0.0f, 255.0f};
    fill_rect(sprite, 0, 0, 2, 2, 0, 0, 0, 255);
    if (fill_color(sprite, blue) != 0) return 1;
    blt(bitmap, sprite, 2, 1, 0, 0, 2, 2, 255);

    for (int y = 0; y < kHeight; ++y) {
        const uint8_t* row = row0 - (ptrdiff_t)y * kWidth * 4;
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = row + 4 * x;
            printf("%s%3d,%3d,%3d,%3d", x ? "  " : "", p[2], p[1], p[0], p[3]);
        }
        printf("\n");
    }
    return 0;
}
