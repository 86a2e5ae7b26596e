// The playground: every export of both libraries, its argument controls made
// from the module's description of the exports (the command-line tool's
// table), the result beside the input, and a play control that steps one
// integer argument frame after frame. Pictures enter and leave the module as
// PNG bytes decoded and encoded inside it; a canvas only ever displays them.
import { load } from './lumoria.mjs';
import { CASES, mapArray, tiledPicture } from './cases.mjs';

const $ = (id) => document.getElementById(id);
const lib = await load();
window.lib = lib;  // for the console, and for tests

// Pictures a bitmap argument can take: the gallery's, then the time
// table's at 640 x 480 and the user's PNGs (decoded once, copied for every
// call).
const uploads = new Map();
for (const name of ['wide', 'wide-mask']) uploads.set(name, lib.bitmap(640, 480, tiledPicture(lib, name)));
uploads.set('blank:640x480', lib.bitmap(640, 480));
const arrayNames = ['map-tiles', 'map-keys', 'map-dims', 'posterize', 'contrast', 'records'];

const state = { op: null, controls: [], outputs: [], playing: false, lastOut: null };

function isBitmap(param) {
    return param.kind === 'bitmap_in' || param.kind === 'bitmap_out';
}
function takesWord(param) {
    return param.kind !== 'result_ints';
}

// ---- the list of exports, grouped by subsystem
function buildExportList() {
    const nav = $('exports');
    let group = null;
    for (const op of lib.exports) {
        if (op.group !== group) {
            group = op.group;
            const h = document.createElement('h4');
            h.textContent = group;
            nav.appendChild(h);
        }
        const b = document.createElement('button');
        b.textContent = op.name;
        b.dataset.op = op.name;
        b.addEventListener('click', () => select(op.name));
        nav.appendChild(b);
    }
}

function signature(op) {
    const kinds = { integer: '', bitmap_in: ': bitmap', bitmap_out: ': bitmap (changed)', ints: ': int32[]',
                    floats: ': float[]', result_ints: ': int32[] (filled)' };
    const args = op.params.map((p) => p.name + kinds[p.kind] + (p.count ? `[${p.count}]` : p.count_text ? `[${p.count_text}]` : ''));
    return `${op.library}: ${op.name}(${args.join(', ')}) → ${op.result}`;
}

// ---- argument controls
function sliderRange(name, value) {
    if (/^(red|green|blue|alpha|opacity|amount)$/.test(name)) return [name === 'amount' ? -100 : 0, name === 'opacity' ? 256 : 255];
    if (/mode/.test(name)) return [0, 12];
    const span = Math.max(256, Math.abs(value) * 2);
    return [Math.min(0, value, -span / 2), Math.max(value, span)];
}

function pictureOptions(select, chosen) {
    select.innerHTML = '';
    const names = [...lib.pictureNames, ...uploads.keys()];
    for (const name of names) select.add(new Option(name, name, false, name === chosen));
    select.add(new Option('your PNG…', '*upload'));
}

function makeControl(param, word, index) {
    const row = document.createElement('label');
    row.className = 'arg';
    row.innerHTML = `<span>${param.name}</span>`;
    const control = { param, index, row };
    if (param.kind === 'integer') {
        const number = document.createElement('input');
        number.type = 'number';
        number.step = '1';
        number.value = word;
        number.name = param.name;
        const slider = document.createElement('input');
        slider.type = 'range';
        const [lo, hi] = sliderRange(param.name, Number(word));
        slider.min = lo;
        slider.max = hi;
        slider.value = word;
        number.addEventListener('input', () => { slider.value = number.value; run(); });
        slider.addEventListener('input', () => { number.value = slider.value; run(); });
        row.append(number, slider);
        control.value = () => Number(number.value);
        control.set = (v) => { number.value = v; slider.value = v; };
    } else if (isBitmap(param)) {
        const select = document.createElement('select');
        select.name = param.name;
        pictureOptions(select, word);
        select.addEventListener('change', () => {
            if (select.value === '*upload') {
                state.uploadTarget = control;
                $('png-file').click();
            } else run();
        });
        row.append(select);
        control.select = select;
        control.value = () => select.value;
    } else if (param.kind === 'result_ints') {
        const note = document.createElement('i');
        note.textContent = `filled by the call (${param.count_text})`;
        row.append(note);
        control.value = () => undefined;
    } else {
        const text = document.createElement('input');
        text.type = 'text';
        text.name = param.name;
        text.value = word;
        text.setAttribute('list', 'array-names');
        text.title = param.kind === 'ints' ? 'a built-in array name or integers separated by commas'
                                           : 'numbers separated by commas';
        text.addEventListener('change', run);
        row.append(text);
        control.value = () => text.value;
    }
    return control;
}

function buildControls(demo) {
    const op = state.op;
    const words = demo.split(/\s+/).filter((w) => w !== '');
    const form = $('args');
    form.innerHTML = '';
    let next = 0;
    state.controls = op.params.map((param, i) => {
        const c = makeControl(param, takesWord(param) ? words[next++] ?? '0' : '', i);
        form.appendChild(c.row);
        return c;
    });
    // The play control and the picture shown offer what this export takes.
    const play = $('play-param');
    play.innerHTML = '';
    for (const c of state.controls) if (c.param.kind === 'integer') play.add(new Option(c.param.name, c.index));
    const preferred = state.controls.find((c) => /^(progress|phase|samples)$/.test(c.param.name));
    if (preferred) play.value = preferred.index;
    $('play').hidden = play.options.length === 0;
    choosePlayRange();
    const view = $('view-param');
    view.innerHTML = '';
    // The pictures a call changes first, then those it only reads.
    for (const kind of ['bitmap_out', 'bitmap_in'])
        for (const c of state.controls) if (c.param.kind === kind) view.add(new Option(c.param.name, c.index));
}

// Transitions run over progress up to total, rings over one period, the
// blur over its samples; anything else fifty steps from its value.
function choosePlayRange() {
    const c = state.controls[Number($('play-param').value)];
    if (!c || c.param.kind !== 'integer') return;
    const byName = (name) => state.controls.find((k) => k.param.name === name);
    let [from, to] = [c.value(), c.value() + 50];
    if (c.param.name === 'progress' && byName('total')) [from, to] = [0, byName('total').value()];
    if (c.param.name === 'phase' && byName('period')) [from, to] = [0, byName('period').value() - 1];
    if (c.param.name === 'samples') [from, to] = [1, 64];
    $('play-from').value = from;
    $('play-to').value = to;
    $('play-step').value = Math.max(1, Math.round((to - from) / 50));
}

function select(name, demoIndex = 0) {
    stopPlay();
    state.op = lib.describe(name);
    for (const b of document.querySelectorAll('nav button')) b.classList.toggle('current', b.dataset.op === name);
    $('op-name').textContent = name;
    $('op-signature').textContent = signature(state.op);
    const demos = $('demos');
    demos.innerHTML = '';
    state.op.demos.forEach((d, i) => demos.add(new Option(d === '' ? '(no arguments)' : d, i, false, i === demoIndex)));
    buildControls(state.op.demos[demoIndex] ?? '');
    history.replaceState(null, '', '#' + name);
    run();
}

// ---- one call
function bitmapFor(source) {
    if (uploads.has(source)) return uploads.get(source).copy();
    return lib.picture(source);
}
function arrayFor(param, text) {
    if (arrayNames.includes(text)) return lib.array(text);
    const values = text.split(/[\s,]+/).filter((w) => w !== '').map(Number);
    return param.kind === 'floats' ? new Float32Array(values) : values;
}

// The arguments from the controls: fresh bitmaps every time.
function argumentsNow(made) {
    const args = state.controls.map((c) => {
        if (isBitmap(c.param)) {
            const b = bitmapFor(c.value());
            made.push(b);
            return b;
        }
        if (c.param.kind === 'integer') return c.value();
        if (c.param.kind === 'result_ints') return undefined;
        return arrayFor(c.param, c.value());
    });
    const needs = lib.arrayNeeds(state.op.name, args);
    state.controls.forEach((c, i) => {
        if (c.param.kind === 'result_ints') args[i] = resultBuffer(needs[c.param.name]);
    });
    return args;
}

function wordOf(c, arg) {
    if (isBitmap(c.param)) return c.value();
    if (c.param.kind === 'integer') return String(arg);
    if (c.param.kind === 'result_ints') return `new Int32Array(${arg.length})`;
    // Arrays as written: a float's shortest decimal may differ from the text.
    return arrayNames.includes(c.value()) ? c.value() : `[${c.value().split(/[\s,]+/).filter((w) => w !== '').join(', ')}]`;
}

function run() {
    if (!state.op) return null;
    const op = state.op;
    const made = [];
    $('call-error').textContent = '';
    try {
        const args = argumentsNow(made);
        const frame = callAndShow(op, args, Number($('view-param').value));
        $('call-line').textContent = `${op.name}(${state.controls.map((c, i) => wordOf(c, args[i])).join(', ')})`;
        return frame;
    } catch (e) {
        $('call-error').textContent = e.message;
        return null;
    } finally {
        made.forEach((b) => b.free());
    }
}

// One call and its display: the picture of parameter `shown` before and
// after, the result value, the time of the call alone, the records filled.
function callAndShow(op, args, shown) {
    const out = op.params[shown] && isBitmap(op.params[shown]) ? args[shown] : null;
    const before = out ? snapshot(out, 'before') : null;
    const result = lib[op.name](...args);
    const time = lib.lastCallMs;
    $('result-value').textContent = result === undefined ? '(none)' : String(result);
    $('call-time').textContent = `${time.toFixed(3)} ms`;
    const records = op.params.findIndex((p) => p.kind === 'result_ints');
    $('records').textContent = records >= 0 ? recordText(args[records]) : '';
    if (state.lastOut) state.lastOut.free();
    state.lastOut = out ? out.copy() : null;
    show(before, out ? snapshot(out, 'after') : null);
    return { result, time };
}

function recordText(out) {
    const lines = [];
    for (let k = 0; k < Math.min(out.length, 4 * 64); k += 4) lines.push(Array.from(out.subarray(k, k + 4)).join(' '));
    return `${out.length / 4} records; the first ${lines.length}:\n${lines.join('\n')}`;
}

// ---- display only: ImageData from the exact bytes
// A picture's bytes, into the buffer kept for `slot` ('before', 'after'):
// frames of one size reuse their buffers instead of asking for new memory.
const buffers = {};
function snapshot(bitmap, slot) {
    const size = 4 * bitmap.pixelCount;
    if (!size) return { width: bitmap.width, height: bitmap.height, rgba: null };
    if (buffers[slot]?.length !== size) buffers[slot] = new Uint8ClampedArray(size);
    return { width: bitmap.width, height: bitmap.height, rgba: bitmap.rgba(buffers[slot]) };
}
// The buffer a call fills, kept from call to call while its size holds.
function resultBuffer(size) {
    if (buffers.records?.length !== size) buffers.records = new Int32Array(Math.max(0, size));
    return buffers.records;
}
function paint(canvas, picture) {
    const zoom = Number($('zoom').value);
    if (!picture || !picture.rgba) {
        canvas.width = canvas.height = 0;
        return;
    }
    // A canvas keeps its backing store while its size holds.
    if (canvas.width !== picture.width || canvas.height !== picture.height) {
        canvas.width = picture.width;
        canvas.height = picture.height;
    }
    canvas.style.width = `${picture.width * zoom}px`;
    canvas.style.height = `${picture.height * zoom}px`;
    const data = new ImageData(picture.rgba, picture.width, picture.height);
    canvas.getContext('2d').putImageData(data, 0, 0);
}
function show(before, after) {
    state.shown = { before, after };
    paint($('before'), before);
    paint($('after'), after);
    paint($('after-before'), before);
    applySplit();
}
function applySplit() {
    const split = Number($('split').value);
    $('after-before').style.clipPath = `inset(0 ${100 - split}% 0 0)`;
    $('split-line').style.left = `${split}%`;
    $('split-line').hidden = !state.shown?.after;
}

// ---- play: one integer argument stepped frame after frame
function stopPlay() {
    state.playing = false;
    $('play-button').textContent = 'play';
}
function play() {
    if (state.playing) return stopPlay();
    const c = state.controls[Number($('play-param').value)];
    const from = Number($('play-from').value), to = Number($('play-to').value);
    const step = Math.max(1, Math.abs(Number($('play-step').value))) * (to >= from ? 1 : -1);
    state.playing = true;
    $('play-button').textContent = 'stop';
    let value = from, frames = 0, total = 0;
    const started = performance.now();
    const frame = () => {
        if (!state.playing) return;
        c.set(value);
        const r = run();
        if (r) {
            frames += 1;
            total += r.time;
        }
        const seconds = (performance.now() - started) / 1000;
        $('play-stats').textContent = `${frames} frames, ${(total / Math.max(frames, 1)).toFixed(3)} ms per call, ` +
            `${(frames / Math.max(seconds, 1e-3)).toFixed(1)} frames/s`;
        $('play-stats').dataset.frames = frames;
        if ((step > 0 && value + step > to) || (step < 0 && value + step < to)) {
            if (!$('play-loop').checked) return stopPlay();
            value = from;
        } else value += step;
        requestAnimationFrame(frame);
    };
    requestAnimationFrame(frame);
}

// ---- the user's PNG files: picker and drag and drop
function addUpload(name, bytes) {
    const bitmap = lib.decodePNG(bytes);
    let key = name, n = 2;
    while (uploads.has(key) || lib.pictureNames.includes(key)) key = `${name} (${n++})`;
    uploads.set(key, bitmap);
    const target = state.uploadTarget ?? state.controls.find((c) => isBitmap(c.param));
    for (const c of state.controls) if (c.select) pictureOptions(c.select, c === target ? key : c.select.value);
    state.uploadTarget = null;
    $('status').textContent = `${key}: ${bitmap.width} × ${bitmap.height}`;
    run();
}
async function takeFiles(files, target) {
    for (const file of files) {
        state.uploadTarget = target;
        try {
            addUpload(file.name, new Uint8Array(await file.arrayBuffer()));
        } catch (e) {
            $('status').textContent = `${file.name}: ${e.message}`;
        }
    }
}

// ---- download: the result's bytes encoded in the module
function download() {
    if (!state.lastOut || !state.lastOut.pixelCount) return;
    const png = lib.encodePNG(state.lastOut);
    const a = document.createElement('a');
    a.href = URL.createObjectURL(new Blob([png], { type: 'image/png' }));
    a.download = `${state.op.name}.png`;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(a.href), 1000);
}

// ---- the time table: every export at 640 x 480, fastest of several calls
// each from fresh inputs
export function timeTable(minMs = 300, maxCalls = 50) {
    const rows = [];
    for (const [name, line] of CASES) {
        const op = lib.describe(name);
        const words = line.split(' ').filter((w) => w !== '');
        let next = 0;
        const makers = op.params.map((param) => {
            if (!takesWord(param)) return null;
            const word = words[next++];
            if (isBitmap(param)) return () => bitmapFor(word);
            if (param.kind === 'integer') return () => Number(word);
            const values = mapArray(word) ?? (arrayNames.includes(word) ? lib.array(word) : word.split(',').map(Number));
            return () => (param.kind === 'floats' ? new Float32Array(values) : values);
        });
        // The work of a frame of the play control: fresh inputs, the call,
        // the pictures and the result shown; its mean bounds the frames per
        // second.
        const out = op.params.findIndex((p) => p.kind === 'bitmap_out');
        let fastest = Infinity, calls = 0, spent = 0;
        while (calls < maxCalls && (spent < minMs || calls < 3)) {
            const start = performance.now();
            const args = makers.map((m) => (m ? m() : undefined));
            const needs = lib.arrayNeeds(name, args);
            op.params.forEach((p, i) => { if (!takesWord(p)) args[i] = resultBuffer(needs[p.name]); });
            callAndShow(op, args, out);
            fastest = Math.min(fastest, lib.lastCallMs);
            args.forEach((a) => a && a.free && a.free());
            spent += performance.now() - start;
            calls += 1;
        }
        rows.push({ name, args: line, ms: fastest, frameMs: spent / calls, calls });
    }
    return rows;
}
window.timeTable = timeTable;

function showTimeTable() {
    $('timings').hidden = false;
    $('timing-table').textContent = 'timing…';
    setTimeout(() => {
        const rows = timeTable();
        run();  // the view shows the chosen export again
        $('timing-table').textContent = rows
            .map((r) => `${r.name.padEnd(14)} ${r.ms.toFixed(3).padStart(9)} ms a call ${r.frameMs.toFixed(2).padStart(8)} ms a frame` +
                        `${(1000 / r.frameMs).toFixed(0).padStart(6)} frames/s  ${r.args}`)
            .join('\n');
    }, 0);
}

// ---- wiring
buildExportList();
const names = document.createElement('datalist');
names.id = 'array-names';
for (const n of arrayNames) names.appendChild(new Option(n));
document.body.appendChild(names);
$('demos').addEventListener('change', () => select(state.op.name, Number($('demos').value)));
$('play-param').addEventListener('change', choosePlayRange);
$('play-button').addEventListener('click', play);
$('zoom').addEventListener('change', () => state.shown && show(state.shown.before, state.shown.after));
$('split').addEventListener('input', applySplit);
$('view-param').addEventListener('change', run);
$('download').addEventListener('click', download);
$('copy-call').addEventListener('click', () => navigator.clipboard?.writeText($('call-line').textContent).catch(() => {}));
$('time-table').addEventListener('click', showTimeTable);
$('png-file').addEventListener('change', async (e) => {
    await takeFiles(e.target.files, state.uploadTarget);
    e.target.value = '';
});
document.addEventListener('dragover', (e) => e.preventDefault());
document.addEventListener('drop', (e) => {
    e.preventDefault();
    const row = e.target.closest && e.target.closest('.arg');
    const target = state.controls.find((c) => c.row === row && c.select);
    takeFiles(e.dataTransfer.files, target);
});
$('status').textContent = `${lib.exports.length} exports · drop a PNG on a picture argument`;
select(lib.describe(location.hash.slice(1)) ? location.hash.slice(1) : 'blt');
document.body.dataset.ready = 'yes';
