// The calls of the time table: every export once (a few twice) at 640 x 480,
// written as lumoria-tool's argument words, so that the page and the native
// build time the same calls. Pictures: `wide` (the gallery's scene, four by
// four) and `wide-mask`, the gallery's `sprite` and `tileset`, and
// blank:640x480; arrays: `map-tiles`, `map-keys` (a two-layer map of 20 x 15
// cells) and the gallery's `posterize` and `records`.
export const WIDTH = 640;
export const HEIGHT = 480;

export const CASES = [
    ['clear_rect', 'wide 0 0 640 480'],
    ['fill_rect', 'wide 0 0 640 480 255 128 0 200'],
    ['blt', 'wide wide 0 0 0 0 640 480 200'],
    ['simple_blt', 'wide wide 0 0 0 0 640 480'],
    ['blend_blt', 'wide wide 0 0 0 0 640 480 3 255'],
    ['blend_blt', 'wide wide 0 0 0 0 640 480 10 128'],
    ['transfer_blt', 'wide wide 0 0 0 0 640 480 0 200'],
    ['transition_in', 'wide wide-mask 50 100 20 0 0'],
    ['transition_out', 'wide wide-mask 50 100 20 0 0'],
    ['draw_map', 'map-tiles map-keys 20,15,2 tileset 0 blank:640x480 0 0 0'],
    ['split_bitmap', 'wide blank:640x480 10 4'],
    ['tint', 'wide 40 255 0 0'],
    ['colorize', 'wide 50 255 160 0'],
    ['grayscale', 'wide 100'],
    ['negative', 'wide'],
    ['table_lookup', 'wide posterize 0'],
    ['pixelize', 'wide 8 8'],
    ['ripple', 'blank:640x480 wide 8 6 0'],
    ['ripple', 'blank:640x480 wide 8 6 1'],
    ['ripple_circ', 'wide 320 240 0 16 60 300'],
    ['radial_blur', 'blank:640x480 wide 16 0 0'],
    ['radial_blur', 'blank:640x480 wide 64 0 1'],
    ['draw_circle', 'wide 320 240 200 20 0 0 255 255 255 255'],
    ['draw_ellipse', 'wide 320 240 300 200 10 0 0 0 255 255 255'],
    ['get_pixels', 'wide'],
    ['get_pixel', 'wide 100 30 2'],
    ['test', 'records 0 12'],
    ['test2', ''],
    ['Quorvex', 'wide blank:640x480 0.8660254,-0.5,0,0.5,0.8660254,0,0,0,1 0'],
    ['Quorvex', 'wide blank:640x480 0.8660254,-0.5,0,0.5,0.8660254,0,0,0,1 1'],
    ['fill_color', 'wide 40,90,200'],
];

// The picture `name` of the cases as RGBA bytes, made from the module's own
// gallery pictures; null for the gallery's pictures themselves.
export function tiledPicture(lib, name) {
    const base = { wide: 'scene', 'wide-mask': 'mask' }[name];
    if (!base) return null;
    const tile = lib.picture(base);
    const [w, h, rgba] = [tile.width, tile.height, tile.rgba()];
    tile.free();
    const out = new Uint8Array(4 * WIDTH * HEIGHT);
    for (let y = 0; y < HEIGHT; ++y)
        for (let x = 0; x < WIDTH; x += w)
            out.set(rgba.subarray(4 * (y % h) * w, 4 * ((y % h) * w + Math.min(w, WIDTH - x))), 4 * (y * WIDTH + x));
    return out;
}

// The map's entries, as the gallery's map for blank lays them out over
// 20 x 15 cells (column, row, layer): ground tiles under key 0, objects on
// every other cell under key 1.
export function mapArray(name) {
    if (name !== 'map-tiles' && name !== 'map-keys') return null;
    const values = [];
    for (let cx = 0; cx < WIDTH / 32; ++cx)
        for (let cy = 0; cy < HEIGHT / 32; ++cy) {
            const object = (cx + cy) % 2 === 0;
            if (name === 'map-keys') values.push(0, 1);
            else values.push(384 + ((cx + 2 * cy) % 8), object ? 392 + ((3 * cx + cy) % 8) : 0);
        }
    return values;
}
