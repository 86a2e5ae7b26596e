// The time table: every call of site/cases.mjs at 640 x 480 in headless
// Chromium (the page's own timeTable), next to the same calls through the
// native build's lumoria-tool on its plain build and on its shipped build.
// Usage: node web/timings.mjs SITE TOOL BUILD   (prints a Markdown table)
import { spawnSync } from 'node:child_process';
import { mkdtempSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launchChromium } from './chromium.mjs';

import { serve } from './serve.mjs';

const [site, tool, build] = process.argv.slice(2).map((p) => resolve(p));
const { CASES, mapArray, tiledPicture } = await import(pathToFileURL(join(site, 'cases.mjs')).href);
const { load } = await import(pathToFileURL(join(site, 'lumoria.mjs')).href);
const lib = await load();
const dir = mkdtempSync(join(tmpdir(), 'lumoria-timings-'));

// The cases' pictures and arrays as files for the native tool.
function fileFor(word) {
    const rgba = tiledPicture(lib, word);
    if (rgba || lib.pictureNames.includes(word)) {
        const b = rgba ? lib.bitmap(640, 480, rgba) : lib.picture(word);
        const path = join(dir, `${word}.png`);
        writeFileSync(path, lib.encodePNG(b));
        b.free();
        return path;
    }
    const values = mapArray(word) ?? (/^[a-z-]+$/.test(word) ? lib.array(word) : null);
    if (!values) return word;
    const path = join(dir, `${word}.txt`);
    writeFileSync(path, values.join(','));
    return '@' + path;
}

function nativeMs(name, line, libraries) {
    const words = line.split(' ').filter((w) => w !== '').map(fileFor);
    const run = spawnSync(tool, [...libraries, 'run', name, ...words, '--time', '20'], { encoding: 'utf8', stdio: ['ignore', 'ignore', 'pipe'] });
    const time = /([\d.]+) ms/.exec(run.stderr);
    if (!time) throw new Error(`${name} ${line}: ${run.stderr}`);
    return Number(time[1]);
}

const { server, url } = await serve(site, 0);
const browser = await launchChromium();
const page = await browser.newPage();
await page.goto(url);
await page.waitForSelector('body[data-ready=yes]', { timeout: 30000 });
const rows = await page.evaluate(() => window.timeTable(400, 50));
await browser.close();
server.close();

const plain = ['--lumoria', join(build, 'liblumoria_plain.so'), '--quorvex', join(build, 'libQuorvex_plain.so')];
console.log('| export | arguments (640 x 480) | browser ms | native plain ms | browser / plain | native shipped ms | play frame ms | play above 30 fps |');
console.log('|---|---|---:|---:|---:|---:|---:|---|');
for (const r of rows) {
    const p = nativeMs(r.name, r.args, plain), s = nativeMs(r.name, r.args, []);
    console.log(`| \`${r.name}\` | ${r.args} | ${r.ms.toFixed(3)} | ${p.toFixed(3)} | ${(r.ms / p).toFixed(2)} | ${s.toFixed(3)} | ${r.frameMs.toFixed(2)} | ${r.frameMs < 1000 / 30 ? 'yes' : 'no'} |`);
}
