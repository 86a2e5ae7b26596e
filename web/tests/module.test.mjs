// The JavaScript module under Node: every export bound from the tool's own
// table, arguments checked before any call, refusals returned as results,
// PNG files decoded and encoded exactly, and the same bytes as the native
// build.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { test } from 'node:test';

import { TOOL, encodePNG, everyAlpha, loadModule, nativeCall, scratch, writePicture } from './support.mjs';

const lib = await loadModule();

test('every export is bound, described as the command-line tool describes it', () => {
    const native = JSON.parse(execFileSync(TOOL, ['describe'], { encoding: 'utf8' }));
    assert.deepEqual(lib.exports, native.exports);
    assert.equal(lib.exports.length, 27);
    for (const op of lib.exports) assert.equal(typeof lib[op.name], 'function', op.name);
});

test('bad arguments throw before any call; refusals are results', () => {
    const dest = lib.picture('scene'), src = lib.picture('sprite');
    const before = dest.rgba();
    assert.throws(() => lib.blt(dest, undefined, 0, 0, 0, 0, 9, 9, 255), TypeError);
    assert.throws(() => lib.blt(dest, src, 0, 0, 0, 0, 9, 9, 2.5), /opacity must be a 32-bit integer/);
    assert.throws(() => lib.blt(dest, src, 0, 0, 0, 0, 9, 9, 2 ** 31), TypeError);
    assert.throws(() => lib.blt(dest, src, 0, 0, 0, 0, 9, 9), /takes 9 arguments/);
    assert.throws(() => lib.table_lookup(dest, new Int32Array(255), 0), /needs 256 entries/);
    assert.throws(() => lib.get_pixels(dest, new Int32Array(4)), /needs at least 76800/);
    assert.throws(() => lib.Quorvex(src, dest, [1, 0, 0, 0, 1, 0, 0, 0], 1), RangeError);
    const freed = lib.picture('mask');
    freed.free();
    assert.throws(() => lib.negative(freed), /freed/);
    assert.deepEqual(dest.rgba(), before);
    assert.equal(lib.Quorvex(lib.bitmapWithoutSurface(), dest, [1, 0, 0, 0, 1, 0, 0, 0, 1], 1), 1);
    assert.equal(lib.negative(lib.bitmapWithoutSurface()), 0);
    assert.equal(lib.transition_in(dest, lib.bitmapWithoutSurface(), 0, 100, 0, 0, 0), false);
    assert.ok(dest.intact() && src.intact());
    lib.freeAll();
    assert.equal(lib.live.size, 0);
});

test('a PNG with every alpha value goes in and comes out byte for byte', () => {
    const { width, height, rgba } = everyAlpha();
    const b = lib.decodePNG(encodePNG(width, height, rgba));
    assert.deepEqual(b.rgba(), rgba);
    const again = lib.decodePNG(lib.encodePNG(b));
    assert.deepEqual(again.rgba(), rgba);
    lib.freeAll();
});

test('the same bytes as the native build', () => {
    const dir = scratch();
    const scene = writePicture(lib, dir, 'scene'), sprite = writePicture(lib, dir, 'sprite');
    const { width, height, rgba } = everyAlpha();
    const alpha = join(dir, 'alpha.png');
    writeFileSync(alpha, encodePNG(width, height, rgba));
    const calls = [
        ['blend_blt', [scene, sprite, '40', '20', '0', '0', '96', '80', '6', '200'], (d, s) => [d, s, 40, 20, 0, 0, 96, 80, 6, 200], ['scene', 'sprite']],
        ['transfer_blt', [scene, alpha, '-20', '3', '0', '0', '256', '4', '0', '180'], (d, s) => [d, s, -20, 3, 0, 0, 256, 4, 0, 180], ['scene', alpha]],
        ['ripple_circ', [scene, '80', '60', '3', '16', '60', '56'], (d) => [d, 80, 60, 3, 16, 60, 56], ['scene']],
        ['radial_blur', ['blank:160x120', scene, '24', '0', '1'], (d, s) => [d, s, 24, 0, 1], [null, 'scene']],
    ];
    for (const [name, words, args, pictures] of calls) {
        const bitmaps = pictures.map((p) => (p === null ? lib.bitmap(160, 120)
                                              : p === alpha ? lib.decodePNG(encodePNG(width, height, rgba)) : lib.picture(p)));
        const result = lib[name](...args(...bitmaps));
        const native = nativeCall(lib, dir, name, words);
        assert.equal(String(Number(result)), native.printed, name);
        assert.deepEqual(bitmaps[0].rgba(), native.rgba, name);
    }
    lib.freeAll();
});
