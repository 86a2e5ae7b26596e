// The two libraries in a WebAssembly module, for a web page or a Node
// program:
//
//   import { load } from './lumoria.mjs';
//   const lib = await load();
//   const scene = lib.decodePNG(bytes), sprite = lib.picture('sprite');
//   const status = lib.blt(scene, sprite, 10, 10, 0, 0, 96, 80, 200);
//   const png = lib.encodePNG(scene);
//   scene.free(); sprite.free();
//
// Every export is bound by its name with its own argument list: a bitmap
// argument is a Bitmap of this module, an integer a 32-bit integer, an array
// an Array or typed array. Arguments that do not fit throw a TypeError or a
// RangeError before any call; what an export refuses is its result, as in C:
// a number, true / false for the boolean results, undefined for none.

const INT32_MIN = -2147483648;
const INT32_MAX = 2147483647;
// As the command-line tool: larger pictures would not fit the module's memory.
const MAX_SIDE = 16384;

// Where a page has not loaded the module's script yet, its URL beside this file.
const MODULE_FILE = 'lumoria-wasm.js';

async function moduleFactory() {
    if (typeof globalThis.createLumoriaWasm === 'function') return globalThis.createLumoriaWasm;
    if (typeof process !== 'undefined' && process.versions && process.versions.node) {
        const { createRequire } = await import('node:module');
        return createRequire(import.meta.url)('./' + MODULE_FILE);
    }
    await new Promise((resolve, reject) => {
        const script = document.createElement('script');
        script.src = new URL(MODULE_FILE, import.meta.url).href;
        script.onload = resolve;
        script.onerror = () => reject(new Error('cannot load ' + script.src));
        document.head.appendChild(script);
    });
    return globalThis.createLumoriaWasm;
}

// Loads the module and binds every export; resolves to a Lumoria.
export async function load() {
    const factory = await moduleFactory();
    return new Lumoria(await factory());
}

function isInt32(v) {
    return Number.isInteger(v) && v >= INT32_MIN && v <= INT32_MAX;
}

function isArrayLike(v) {
    return Array.isArray(v) || (ArrayBuffer.isView(v) && !(v instanceof DataView));
}

// An engine bitmap in the module's memory, made by the stand-in in the
// engine's layout (bottom-up rows behind a handle).
export class Bitmap {
    constructor(lib, pointer) {
        this.lib = lib;
        this.pointer = pointer;
        lib.live.add(this);
    }
    get freed() {
        return this.pointer === 0;
    }
    get width() {
        return this.lib.m._module_bitmap_width(this.live());
    }
    get height() {
        return this.lib.m._module_bitmap_height(this.live());
    }
    get hasSurface() {
        return this.lib.m._module_bitmap_has_surface(this.live()) !== 0;
    }
    // The engine's handle of the bitmap object.
    get handle() {
        return this.lib.m._module_bitmap_handle(this.live());
    }
    get pixelCount() {
        return this.hasSurface ? Math.max(this.width, 0) * Math.max(this.height, 0) : 0;
    }
    // Red, green, blue, alpha of every pixel, top row first; into `out`
    // when it is a Uint8Array or Uint8ClampedArray of that size.
    rgba(out) {
        const m = this.lib.m;
        const size = 4 * this.pixelCount;
        if (out !== undefined && !((out instanceof Uint8Array || out instanceof Uint8ClampedArray) && out.length === size))
            throw new RangeError(`rgba needs a byte array of ${size} bytes (4 x ${this.width} x ${this.height})`);
        const p = m._malloc(Math.max(size, 1));
        m._module_bitmap_read_rgba(this.live(), p);
        out ??= new Uint8Array(size);
        out.set(m.HEAPU8.subarray(p, p + size));
        m._free(p);
        return out;
    }
    setRGBA(rgba) {
        const size = 4 * this.pixelCount;
        if (!isArrayLike(rgba) || rgba.length !== size)
            throw new RangeError(`setRGBA needs ${size} bytes (4 x ${this.width} x ${this.height})`);
        const m = this.lib.m;
        const p = m._malloc(Math.max(size, 1));
        m.HEAPU8.set(rgba, p);
        m._module_bitmap_write_rgba(this.live(), p);
        m._free(p);
        return this;
    }
    // Another bitmap of the same size and pixels.
    copy() {
        return new Bitmap(this.lib, this.lib.m._module_bitmap_copy(this.live()));
    }
    // Whether the guard bytes around the rows and the engine's records are
    // as the stand-in built them.
    intact() {
        return this.lib.m._module_bitmap_intact(this.live()) !== 0;
    }
    free() {
        if (this.pointer) {
            this.lib.m._module_bitmap_free(this.pointer);
            this.lib.live.delete(this);
            this.pointer = 0;
        }
    }
    live() {
        if (!this.pointer) throw new TypeError('this bitmap was freed');
        return this.pointer;
    }
}

export class Lumoria {
    constructor(m) {
        this.m = m;
        this.live = new Set();
        const description = JSON.parse(m.UTF8ToString(m._module_describe()));
        this.libraries = description.libraries;
        this.exports = description.exports;
        this.pictureNames = m.UTF8ToString(m._module_picture_names()).split('\n');
        this.lastCallMs = 0;  // the time of the last export call alone
        this.exports.forEach((op, index) => {
            const fn = m['_' + op.symbol];
            if (typeof fn !== 'function') throw new Error(`the module lacks the export ${op.symbol}`);
            this[op.name] = (...args) => this.invoke(index, fn, args);
        });
    }

    describe(name) {
        return this.exports.find((op) => op.name === name);
    }
    // The export `name` called with an argument list.
    call(name, args) {
        const op = this.describe(name);
        if (!op) throw new TypeError(`no export named ${name}`);
        return this[name](...args);
    }

    // A bitmap of width x height transparent pixels (sizes of 0 or below: a
    // surface without pixels), filled from `rgba` when given.
    bitmap(width, height, rgba) {
        if (!isInt32(width) || !isInt32(height))
            throw new TypeError('a bitmap size must be two 32-bit integers');
        if (width > MAX_SIDE || height > MAX_SIDE)
            throw new RangeError(`a bitmap is at most ${MAX_SIDE} pixels wide and high`);
        const b = new Bitmap(this, this.m._module_bitmap(width, height));
        if (rgba !== undefined) b.setRGBA(rgba);
        return b;
    }
    bitmapWithoutSurface() {
        return new Bitmap(this, this.m._module_bitmap_without_surface());
    }
    // A fresh copy of one of the gallery's pictures (see pictureNames).
    picture(name) {
        const p = this.withString(name, (s) => this.m._module_picture(s));
        if (!p) throw new RangeError(`no built-in picture named ${name}`);
        return new Bitmap(this, p);
    }
    // One of the gallery's arrays (map-tiles, map-keys, map-dims, posterize,
    // contrast, records) as numbers.
    array(name) {
        const p = this.withString(name, (s) => this.m._module_array_text(s));
        if (!p) throw new RangeError(`no built-in array named ${name}`);
        return this.m.UTF8ToString(p).split(/[\s,]+/).filter((w) => w !== '').map(Number);
    }
    // A PNG file's stored pixels, exactly.
    decodePNG(bytes) {
        if (!(bytes instanceof Uint8Array)) throw new TypeError('decodePNG needs a Uint8Array');
        const m = this.m;
        const p = m._malloc(Math.max(bytes.length, 1));
        m.HEAPU8.set(bytes, p);
        const b = m._module_png_decode(p, bytes.length);
        m._free(p);
        if (!b) throw new Error('not a PNG file this module reads: ' + m.UTF8ToString(m._module_png_error()));
        return new Bitmap(this, b);
    }
    // An 8-bit RGBA PNG file of every byte of the bitmap.
    encodePNG(bitmap) {
        this.checkBitmap('encodePNG', 'bitmap', bitmap);
        const m = this.m;
        const sizeAt = m._malloc(4);
        const p = m._module_png_encode(bitmap.pointer, sizeAt);
        const size = m.HEAP32[sizeAt >> 2];
        m._free(sizeAt);
        if (!p) throw new RangeError('a bitmap without pixels makes no PNG file');
        const out = m.HEAPU8.slice(p, p + size);
        m._free(p);
        return out;
    }
    // Frees every bitmap this module made that is still alive.
    freeAll() {
        for (const b of [...this.live]) b.free();
    }

    withString(text, use) {
        const m = this.m;
        const size = m.lengthBytesUTF8(String(text)) + 1;
        const p = m._malloc(size);
        m.stringToUTF8(String(text), p, size);
        try {
            return use(p);
        } finally {
            m._free(p);
        }
    }
    checkBitmap(name, param, v) {
        if (!(v instanceof Bitmap) || v.lib !== this)
            throw new TypeError(`${name}: ${param} must be a Bitmap of this module, got ${String(v)}`);
        if (v.freed) throw new TypeError(`${name}: ${param} was freed`);
    }

    // The least number of entries each array argument needs for the other
    // arguments (result buffers included), by parameter name; checks the
    // other arguments as a call would.
    arrayNeeds(name, args) {
        const index = this.exports.findIndex((op) => op.name === name);
        if (index < 0) throw new TypeError(`no export named ${name}`);
        const op = this.exports[index];
        return this.withArguments(op, args, true, (words, lengths) => {
            const needs = {};
            op.params.forEach((param, i) => {
                if (param.count !== undefined) needs[param.name] = param.count;
                else if (param.count_text !== undefined) needs[param.name] = this.needed(index, i, words, lengths);
            });
            return needs;
        });
    }

    // Checks every argument, lays the arrays out in the module's memory,
    // calls the export, copies filled buffers back and frees the arrays.
    invoke(index, fn, args) {
        const op = this.exports[index];
        return this.withArguments(op, args, false, (words, lengths) => {
            op.params.forEach((param, i) => {
                if (param.count_text === undefined) return;
                const needed = this.needed(index, i, words, lengths);
                if (needed < 0)
                    throw new RangeError(`${op.name}: ${param.name}: the other arguments reach outside any array`);
                if (lengths[i] < needed)
                    throw new RangeError(
                        `${op.name}: ${param.name} needs at least ${needed} entries (${param.count_text}), got ${lengths[i]}`);
            });
            const passed = op.params.map((param, i) =>
                param.kind === 'bitmap_in' || param.kind === 'bitmap_out' ? args[i].handle : words[i]);
            const m = this.m;
            const start = performance.now();
            const result = fn(...passed);
            this.lastCallMs = performance.now() - start;
            op.params.forEach((param, i) => {
                if (param.kind === 'result_ints')
                    args[i].set(m.HEAP32.subarray(words[i] >> 2, (words[i] >> 2) + lengths[i]));
            });
            if (op.result === 'nothing') return undefined;
            if (op.result === 'bool') return (result & 0xff) !== 0;
            return result | 0;
        });
    }

    // One word per parameter (the number, the Bitmap's pointer, or the
    // array's address in the module's memory) and the arrays' lengths.
    withArguments(op, args, lenient, use) {
        const params = op.params;
        if (args.length !== params.length)
            throw new TypeError(
                `${op.name} takes ${params.length} arguments (${params.map((p) => p.name).join(', ')}), got ${args.length}`);
        params.forEach((param, i) => this.checkArgument(op, param, args[i], lenient));
        const m = this.m;
        const held = [];
        const words = new Array(params.length).fill(0);
        const lengths = new Array(params.length).fill(0);
        try {
            params.forEach((param, i) => {
                const v = args[i];
                if (param.kind === 'integer') words[i] = v;
                else if (param.kind === 'bitmap_in' || param.kind === 'bitmap_out') words[i] = v.pointer;
                else if (v !== undefined) {
                    const p = m._malloc(Math.max(4 * v.length, 4));
                    held.push(p);
                    if (param.kind === 'floats') m.HEAPF32.set(v, p >> 2);
                    else m.HEAP32.set(v, p >> 2);
                    words[i] = p;
                    lengths[i] = v.length;
                }
            });
            return use(words, lengths);
        } finally {
            held.forEach((p) => m._free(p));
        }
    }

    // Lenient: arrays whose size is worked out may be left undefined.
    checkArgument(op, param, v, lenient) {
        const where = `${op.name}: ${param.name}`;
        if (lenient && v === undefined && param.count_text !== undefined) return;
        switch (param.kind) {
            case 'integer':
                if (!isInt32(v)) throw new TypeError(`${where} must be a 32-bit integer, got ${String(v)}`);
                return;
            case 'bitmap_in':
            case 'bitmap_out':
                this.checkBitmap(op.name, param.name, v);
                return;
            case 'result_ints':
                if (!(v instanceof Int32Array)) throw new TypeError(`${where} must be an Int32Array the call fills`);
                if (param.count !== undefined && v.length !== param.count)
                    throw new RangeError(`${where} needs ${param.count} entries, got ${v.length}`);
                return;
            default: {
                if (!isArrayLike(v)) throw new TypeError(`${where} must be an array of numbers, got ${String(v)}`);
                const ok = param.kind === 'floats' ? (x) => typeof x === 'number' : isInt32;
                for (let k = 0; k < v.length; ++k)
                    if (!ok(v[k]))
                        throw new TypeError(`${where}[${k}] must be ${param.kind === 'ints' ? 'a 32-bit integer' : 'a number'}, got ${String(v[k])}`);
                if (param.count !== undefined && v.length !== param.count)
                    throw new RangeError(`${where} needs ${param.count} entries, got ${v.length}`);
            }
        }
    }

    needed(index, param, words, lengths) {
        const m = this.m;
        const n = words.length;
        const block = m._malloc(12 * Math.max(n, 1));
        const w = block >> 2;
        for (let i = 0; i < n; ++i) {
            m.HEAP32[w + i] = words[i];
            m.HEAP32[w + n + i] = words[i];  // arrays: their address
            m.HEAP32[w + 2 * n + i] = lengths[i];
        }
        try {
            return m._module_array_needs(index, param, block, block + 4 * n, block + 8 * n);
        } finally {
            m._free(block);
        }
    }
}
