// Shared by the web tests: the built module, the native command-line tool
// (the same calls through the native Linux library), and PNG files written
// by an encoder of the test's own, independent of both.
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { crc32, deflateSync } from 'node:zlib';

const root = resolve(new URL('../..', import.meta.url).pathname);
export const SITE = resolve(root, process.env.WEB_SITE ?? 'build-web/web/site');
export const TOOL = resolve(root, process.env.TOOL ?? 'build/tools/lumoria-tool');

export async function loadModule() {
    const { load } = await import(pathToFileURL(join(SITE, 'lumoria.mjs')).href);
    return load();
}

export function scratch() {
    return mkdtempSync(join(tmpdir(), 'lumoria-web-'));
}

// An 8-bit RGBA PNG of `rgba` (top row first), unfiltered rows.
export function encodePNG(width, height, rgba) {
    const chunk = (type, data) => {
        const head = Buffer.alloc(8);
        head.writeUInt32BE(data.length, 0);
        head.write(type, 4, 'latin1');
        const crc = Buffer.alloc(4);
        crc.writeUInt32BE(crc32(Buffer.concat([head.subarray(4), data])) >>> 0, 0);
        return Buffer.concat([head, data, crc]);
    };
    const ihdr = Buffer.alloc(13);
    ihdr.writeUInt32BE(width, 0);
    ihdr.writeUInt32BE(height, 4);
    ihdr.set([8, 6, 0, 0, 0], 8);
    const raw = Buffer.alloc(height * (1 + 4 * width));
    for (let y = 0; y < height; ++y) raw.set(rgba.subarray(4 * width * y, 4 * width * (y + 1)), y * (1 + 4 * width) + 1);
    return Buffer.concat([Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]), chunk('IHDR', ihdr),
                          chunk('IDAT', deflateSync(raw)), chunk('IEND', Buffer.alloc(0))]);
}

// 256 x 4 pixels: every alpha value from 0 to 255 along each row, with
// colours that differ from row to row.
export function everyAlpha() {
    const rgba = new Uint8Array(4 * 256 * 4);
    for (let y = 0; y < 4; ++y)
        for (let a = 0; a < 256; ++a) rgba.set([(a * 7 + y * 60) & 255, 255 - a, (a * 13) & 255 ^ (y * 85), a], 4 * (256 * y + a));
    return { width: 256, height: 4, rgba };
}

// Calls an export through the native build's lumoria-tool; returns the
// printed result and the RGBA bytes of the first changed picture.
export function nativeCall(lib, dir, name, words) {
    const out = join(dir, `native-${name}.png`);
    const printed = execFileSync(TOOL, ['run', name, ...words, '-o', out], { encoding: 'utf8' });
    const bitmap = lib.decodePNG(readFileSync(out));
    const rgba = bitmap.rgba();
    bitmap.free();
    return { printed: printed.trim(), rgba };
}

// The module's gallery picture `name` as a PNG file in `dir`, for the
// native tool; returns its path.
export function writePicture(lib, dir, name) {
    const b = lib.picture(name);
    const path = join(dir, `${name}.png`);
    writeFileSync(path, lib.encodePNG(b));
    b.free();
    return path;
}
