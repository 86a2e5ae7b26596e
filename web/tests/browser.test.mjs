// The playground in headless Chromium (the system's browser), served from
// 127.0.0.1: exports run through the page's own controls, a user's PNG
// through the file picker and dropped on an argument, a transition played
// over frames, and the downloaded results held against the native build's
// bytes. Any console error fails the test.
import assert from 'node:assert/strict';
import { existsSync, readFileSync, unlinkSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { launchChromium } from '../chromium.mjs';

import { serve } from '../serve.mjs';
import { SITE, encodePNG, everyAlpha, loadModule, nativeCall, scratch, writePicture } from './support.mjs';

const lib = await loadModule();
const dir = scratch();
const downloads = scratch();
const errors = [];
let server, browser, page;

before(async () => {
    let url;
    ({ server, url } = await serve(SITE, 0));
    browser = await launchChromium();
    page = await browser.newPage();
    page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
    page.on('pageerror', (e) => errors.push(e.message));
    const session = await browser.target().createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(url);
    await page.waitForSelector('body[data-ready=yes]', { timeout: 30000 });
});

after(async () => {
    await browser?.close();
    server?.close();
});

// The page's controls, as a user works them.
async function choose(name, demo = 0) {
    await page.click(`nav button[data-op="${name}"]`);
    if (demo) await page.select('#demos', String(demo));
}
async function setNumber(param, value) {
    await page.$eval(`#args input[type=number][name="${param}"]`, (input, v) => {
        input.value = v;
        input.dispatchEvent(new Event('input'));
    }, String(value));
}
async function uploadTo(param, path) {
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.select(`#args select[name="${param}"]`, '*upload')]);
    await chooser.accept([path]);
    await page.waitForFunction((p) => !document.querySelector(`#args select[name="${p}"]`).value.startsWith('*'), {}, param);
}
// A file dropped on the row of a picture argument, as from a file manager.
async function dropOn(param, path, name) {
    await page.evaluate((p, bytes, n) => {
        const row = document.querySelector(`#args select[name="${p}"]`).closest('.arg');
        const transfer = new DataTransfer();
        transfer.items.add(new File([new Uint8Array(bytes)], n, { type: 'image/png' }));
        row.dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
    }, param, [...readFileSync(path)], name);
    await page.waitForFunction((p, n) => document.querySelector(`#args select[name="${p}"]`).value.startsWith(n), {}, param, name);
}
async function text(id) {
    return page.$eval(`#${id}`, (e) => e.textContent);
}
// Clicks "download PNG" and returns the downloaded file's RGBA bytes.
async function downloaded(name) {
    const file = join(downloads, `${name}.png`);
    if (existsSync(file)) unlinkSync(file);
    await page.click('#download');
    for (let k = 0; k < 100 && !existsSync(file); ++k) await new Promise((r) => setTimeout(r, 50));
    const b = lib.decodePNG(readFileSync(file));
    const rgba = b.rgba();
    b.free();
    return rgba;
}

test('the page lists every export, grouped by subsystem', async () => {
    const listed = await page.$$eval('nav button', (buttons) => buttons.map((b) => b.dataset.op));
    assert.deepEqual([...listed].sort(), lib.exports.map((op) => op.name).sort());
    const groups = await page.$$eval('nav h4', (h) => h.map((e) => e.textContent));
    assert.deepEqual(groups, [...new Set(lib.exports.map((op) => op.group))]);
});

test('a PNG with every alpha value round-trips through the page byte for byte', async () => {
    const { width, height, rgba } = everyAlpha();
    const path = join(dir, 'alpha.png');
    writeFileSync(path, encodePNG(width, height, rgba));
    await choose('clear_rect');
    await uploadTo('dest', path);
    await setNumber('width', 0);  // clears nothing
    assert.equal(await text('result-value'), '1');
    assert.deepEqual(await downloaded('clear_rect'), rgba);
});

test('a transfer with a user PNG dropped on the page gives the native bytes', async () => {
    const scene = writePicture(lib, dir, 'scene');
    const alpha = join(dir, 'alpha.png');
    await choose('transfer_blt');
    await dropOn('src', alpha, 'dropped.png');
    const args = { dx: -20, dy: 30, sx: 0, sy: 0, width: 256, height: 4, mode: 2, opacity: 180 };
    for (const [param, value] of Object.entries(args)) await setNumber(param, value);
    const native = nativeCall(lib, dir, 'transfer_blt', [scene, alpha, ...Object.values(args).map(String)]);
    assert.equal(await text('result-value'), native.printed);
    assert.deepEqual(await downloaded('transfer_blt'), native.rgba);
});

test('a transition played over frames ends on the native bytes', async () => {
    const scene = writePicture(lib, dir, 'scene'), mask = writePicture(lib, dir, 'mask');
    await choose('transition_in');
    assert.equal(await page.$eval('#play-param option:checked', (o) => o.textContent), 'progress');
    await page.$eval('#play-loop', (box) => { box.checked = false; });
    for (const [id, v] of [['play-from', 0], ['play-to', 100], ['play-step', 20]])
        await page.$eval(`#${id}`, (input, value) => { input.value = value; }, String(v));
    await page.click('#play-button');
    await page.waitForFunction(() => document.getElementById('play-button').textContent === 'play', { timeout: 20000 });
    assert.equal(await page.$eval('#play-stats', (e) => e.dataset.frames), '6');
    assert.match(await text('play-stats'), /ms per call/);
    assert.match(await text('call-line'), /^transition_in\(scene, mask, 100, 100, 20, 0, 0\)$/);
    const native = nativeCall(lib, dir, 'transition_in', [scene, mask, '100', '100', '20', '0', '0']);
    assert.equal(await text('result-value'), native.printed === '1' ? 'true' : 'false');
    assert.deepEqual(await downloaded('transition_in'), native.rgba);
});

test('Quorvex through the page gives the native bytes', async () => {
    const scene = writePicture(lib, dir, 'scene');
    await choose('Quorvex', 1);  // the bilinear rotation
    const line = await text('call-line');
    assert.match(line, /^Quorvex\(scene, blank, \[0\.866.*\], 1\)$/);
    const native = nativeCall(lib, dir, 'Quorvex', [scene, 'blank:160x120', '0.8660254,-0.5,0,0.5,0.8660254,0,0,0,1', '1']);
    assert.equal(await text('result-value'), native.printed);
    assert.deepEqual(await downloaded('Quorvex'), native.rgba);
});

test('no console errors', () => {
    assert.deepEqual(errors, []);
});
